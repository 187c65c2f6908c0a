// The whole program as a user meets it: the windows created as the program creates them, on a
// real X display (Xvfb), driven through their own widgets; a screenshot of every stage is saved
// in the build folder. Assertions are on files, table cells and window state.
#include "support/MainWindowFixture.h"

namespace kamelune::test {

class Tour : public WindowTest {
protected:
    void Shot(const std::string& stage) {
        QCoreApplication::processEvents();
        fs::create_directories(KAMELUNE_SHOTS);
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QString::fromStdString(std::string(KAMELUNE_SHOTS) + "/" + stage + ".png"));
    }
    // Clicks the cell of view row `row` (1-based) and column `col` of the EXIF table.
    void ClickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        QTableView* view = Table().exifGrid;
        const QRect r = view->visualRect(view->model()->index(row - 1, col));
        QTest::mouseClick(view->viewport(), button, {}, r.center());
    }
    // The camera pictures of the samples, by name.
    std::vector<std::string> CopyCameraPictures() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(kSamples / "exif-org"))
            if (e.path().extension() == ".jpg") {
                fs::copy_file(e.path(), Pictures() + "/" + e.path().filename().string());
                names.push_back(e.path().filename().string());
            }
        std::sort(names.begin(), names.end());
        return names;
    }
    // Runs `drive` once the modal window that `open` shows is up.
    void WithModal(const std::function<void()>& open, const std::function<void()>& drive) {
        QTimer::singleShot(50, drive);
        open();
    }
};

TEST_F(Tour, APhotographersDay) {
    const int copied = static_cast<int>(CopyCameraPictures().size());
    Start("[Dir]\r\nDir=" + Pictures() + "\r\n[ActivePage]\r\nActivePage=TabSheetTable\r\n");
    mainWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    EXPECT_EQ(model->View().RowCount(), copied + 1);
    Shot("01-table");

    // The thumbnail tab, another page size, another pane.
    QTabBar* tabs = Ui().pageTabs->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(Ui().pageTabs->currentWidget(), Ui().thumbnailTab);
    EXPECT_TRUE(Page->Building()) << "thumbnails not cached yet come as their jobs finish";
    WaitForPage();
    EXPECT_FALSE(Page->Panels().empty());
    QTest::mouseClick(Page->Controls().allItemsButton, Qt::LeftButton);
    Page->Controls().perPageCombo->setCurrentIndex(0); // 4 per page
    Page->PerPageChosen();
    WaitForPage();
    EXPECT_EQ(Page->Panels().size(), 4u);
    Page->Controls().pageCombo->setCurrentIndex(1);
    Page->PageChosen();
    WaitForPage();
    EXPECT_EQ(Page->CurrentPage(), 2);
    Shot("02-thumbnails");

    // Select by thumbnail, then by table.
    PanelRecord& first = *Page->Panels().at(0);
    QTest::mouseClick(first.panel, Qt::LeftButton, {},
                      QPoint(first.imageRect.left + 10, first.imageRect.top + 10));
    EXPECT_EQ(model->Selected().size(), 1u);
    Shot("03-selected");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ClickCell(1, 1);
    ClickCell(2, 1);
    EXPECT_EQ(model->Selected().size(), 3u);
    EXPECT_EQ(model->View().Cell(1, 1), "2");

    // Sort on two keys: maker, then exposure time.
    WithModal([this] { Ui().sortButton->click(); },
              [this] {
                  sortDialog->SortLineClicked(3);
                  sortDialog->SortLineClicked(18);
                  QTest::mouseClick(sortDialog->Controls().sortButton, Qt::LeftButton);
                  sortDialog->close();
              });
    WaitWhile([this] { return sortDialog->Sorting(); });
    EXPECT_EQ(model->SortKeys(), (std::vector<int>{3, 18}));
    EXPECT_EQ(model->RowOrder().size(), static_cast<std::size_t>(copied));
    Shot("04-sorted");

    // The slideshow of the selection, one step.
    QTest::mouseClick(Ui().slideshowButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(slideshow));
    QTest::mouseClick(slideshow->Controls().nextButton, Qt::LeftButton);
    EXPECT_EQ(slideshow->Controls().counterStatus->text(), QStringLiteral("2/3"));
    Shot("05-slideshow");
    slideshow->close();

    // Batch rename of two pictures.
    mainWindow->Commands().SelectNoPicture();
    ClickCell(1, 1);
    ClickCell(2, 1);
    const std::string a(model->View().Cell(2, 1)), b(model->View().Cell(2, 2));
    dialogs.AnswerOk();
    WithModal([this] { Ui().renameButton->click(); },
              [this] {
                  batchRename->Controls().prefixEdit->setText(QStringLiteral("tour"));
                  batchRename->Controls().prefixCheck->setChecked(true);
                  batchRename->Controls().firstItemCombo->setCurrentIndex(
                      batchRename->Controls().firstItemCombo->count() - 1);
                  QTest::mouseClick(batchRename->Controls().previewButton, Qt::LeftButton);
                  QTest::mouseClick(batchRename->Controls().renameAllButton, Qt::LeftButton);
              });
    EXPECT_EQ(Said(), QStringLiteral("2個のファイル名を変換しました。"));
    EXPECT_TRUE(fs::exists(Pictures() + "/tour_0001.JPG") &&
                fs::exists(Pictures() + "/tour_0002.JPG"));
    EXPECT_FALSE(fs::exists(Pictures() + "/" + a) || fs::exists(Pictures() + "/" + b));
    WaitForPage();
    Shot("06-renamed");

    // Closing writes the settings.
    mainWindow->close();
    const IniFile ini(Ini());
    EXPECT_EQ(ini.ReadString("Dir", "Dir", ""), Pictures());
    EXPECT_EQ(ini.ReadString("ActivePage", "ActivePage", ""), "TabSheetTable");
    EXPECT_EQ(ini.ReadInteger("Pane", "Hairetu", 0), 3);
}

TEST_F(Tour, ByKeyboardAlone) {
    const std::vector<std::string> names = CopyCameraPictures();
    // Opened by its argument, as `kamelune PICTURE` does: the second picture's row current.
    WriteDefaultPkm(AppDir() + "/Default.pkm");
    TempDir::Write(Ini(), "[ActivePage]\r\nActivePage=TabSheetTable\r\n");
    CreateWindows({AppDir(), Ini()}, ParseCommandLine({Pictures() + "/" + names[1]}, "/"));
    mainWindow->show();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    QWidget* table = Table().exifGrid;
    table->setFocus();
    EXPECT_EQ(Table().exifGrid->currentIndex().row(), 1);
    QTest::keyClick(table, Qt::Key_Space);
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(model->Selected(), (std::vector<int>{2, 3}));
    QTest::keyClick(table, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(slideshow));
    EXPECT_EQ(slideshow->Tag(), 3) << "the show starts at the current row";
    Shot("08-keyboard-slideshow");
    slideshow->close();
    mainWindow->close();
}

} // namespace kamelune::test
