// Thumbnail pages, captions, selection and the item and display dialogs in the running program
// (offscreen).
#include "catalogue/Selection.h"
#include "exif/RawShapes.h"
#include "platform/qt/DialogService.h"
#include "support/MainWindowFixture.h"
#include "support/Watchdog.h"
#include "thumbnails/PageLayout.h"
#include "thumbnails/ThumbLoader.h"

#include <algorithm>
#include <random>

namespace kamelune::test {

class ThumbnailPage : public WindowTest {
protected:
    // n copies of an EXIF camera file (640 × 480), every third one a JFIF file instead.
    void Pictures(int n, bool someWithoutExif = false) {
        for (int i = 1; i <= n; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "p%02d.jpg", i);
            const bool jfif = someWithoutExif && i % 3 == 0;
            fs::copy_file(kSamples / (jfif ? "Canon_40D.jpg" : "exif-org/canon-ixus.jpg"),
                          WindowTest::Pictures() + "/" + name);
        }
    }
    void StartOnThumbnails(bool defaultPkm = true) {
        Start("[Dir]\r\nDir=" + WindowTest::Pictures() +
                  "\r\n[ActivePage]\r\nActivePage=TabSheetGazo\r\n[Pane]\r\nHairetu=3\r\n",
              defaultPkm);
        mainWindow->resize(800, 600);
    }
    std::string Cache(const std::string& name) const {
        return AppDir() + "/@KameluneDir/" + CacheSubNameOf(WindowTest::Pictures()) + "/T_" + name;
    }
    std::vector<std::string> PageNumbers() const {
        std::vector<std::string> out;
        for (const auto& rec : Page->Panels())
            out.push_back(rec->numberLabel.text.toStdString());
        return out;
    }
};

TEST_F(ThumbnailPage, PagesOfThirtySevenPictures) {
    Pictures(37);
    StartOnThumbnails();
    BuildPage(3);
    EXPECT_EQ(PageNumbers(), (std::vector<std::string>{"3-33", "3-34", "3-35", "3-36", "3-37"}));
    EXPECT_EQ(Page->Controls().pageLabel->text(), QStringLiteral("/3"));
    EXPECT_EQ(Page->Controls().pageCombo->count(), 3);
    // Pane 2 doubles the page: 37 pictures in two pages, page 3 falls back to page 1.
    Page->Controls().fourItemsButton->click();
    WaitForPage();
    EXPECT_EQ(Page->Controls().perPageLabel->text(), QStringLiteral("x2画/ﾍﾟｰｼﾞ"));
    EXPECT_EQ(Page->Controls().pageCombo->currentText(), QStringLiteral("1"));
    EXPECT_EQ(Page->Panels().size(), 32u);
    Page->Controls().perPageCombo->setCurrentText(QStringLiteral("30"));
    Page->PerPageChosen();
    WaitForPage();
    EXPECT_EQ(Page->Panels().size(), 37u);
    // An empty folder after a full page leaves nothing to scroll.
    mainWindow->resize(500, 400);
    mainWindow->show();
    ASSERT_GT(Page->Controls().panelScroll->verticalScrollBar()->maximum(), 0);
    fs::create_directories(dir / "empty");
    mainWindow->SetCurrentDir(dir / "empty");
    EXPECT_TRUE(Page->Panels().empty());
    EXPECT_EQ(Page->Controls().panelScroll->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(Page->Controls().panelScroll->horizontalScrollBar()->maximum(), 0);
}

// The window answers while a page builds; another page replaces it, and neither leaving a page
// nor quitting waits for the thumbnails being made.
TEST_F(ThumbnailPage, PagesBuildWhileTheWindowAnswersAndNeverHoldItUp) {
    Pictures(40, true);
    StartOnThumbnails();
    fs::remove_all(AppDir() + "/@KameluneDir");
    Page->SetThumbnailThreads(1);
    model->Reader().SetDelay(std::chrono::milliseconds(100));
    Page->BuildPage(1);
    ASSERT_TRUE(Page->Building());
    mainWindow->Commands().SelectAllPictures();
    EXPECT_EQ(model->Selected().size(), 40u) << "answered while the page builds";
    WaitWhile([this] { return Page->ThumbnailsBeingMade() < 1; });
    Page->BuildPage(2);
    WaitForPage();
    model->Reader().SetDelay({});
    ASSERT_EQ(Page->Panels().size(), 16u);
    EXPECT_EQ(PageNumbers().front(), "2-17");
    // Page 1's thumbnail being made came back late, while page 2 was built: it never lands on a
    // panel of page 2 (pictures of two sizes tell which is which).
    for (const auto& rec : Page->Panels()) {
        EXPECT_TRUE(rec->selected) << rec->numberLabel.text.toStdString();
        const std::string name(model->Base().Cell(kNameCol, rec->pictNo));
        int w = 0, h = 0;
        ASSERT_TRUE(ReadJpegSize(WindowTest::Pictures() + "/" + name, w, h));
        EXPECT_TRUE(rec->sizeLabel.text.startsWith(QStringLiteral("%1x%2,").arg(w).arg(h)))
            << name << ": " << rec->sizeLabel.text.toStdString();
    }
    EXPECT_FALSE(fs::exists(Cache("p16.jpg"))) << "page 1's jobs not started were dropped";

    // Thumbnails whose size files are gone (x.jpg and x.jpeg share one) are made again by the
    // workers too.
    for (int i = 17; i <= 32; ++i)
        fs::remove(Cache("p" + std::to_string(i) + ".TXT"));
    Page->BuildPage(2);
    EXPECT_TRUE(Page->Building());
    WaitForPage();
    EXPECT_TRUE(fs::exists(Cache("p32.TXT")));
    EXPECT_EQ(Page->Panels().size(), 16u);

    // Thumbnails that take hours to make (a slow share, huge pictures): leaving the page or the
    // program never waits for the ones being made.
    fs::remove_all(AppDir() + "/@KameluneDir");
    Page->SetThumbnailThreads(0); // as many as the machine has
    model->Reader().SetDelay(kHours);
    Page->BuildPage(1);
    WaitWhile([this] { return Page->ThumbnailsBeingMade() < ThumbLoader::DefaultThreads(); });
    {
        Watchdog leave("leaving a page whose thumbnails are being made");
        Page->BuildPage(2);
    }
    EXPECT_EQ(Page->ThumbnailsBeingMade(), ThumbLoader::DefaultThreads()) << "left, not waited for";
    Watchdog quit("quitting while thumbnails are being made");
    mainWindow->close();
    DestroyWindows();
}

// Real message boxes, each answered with Escape as soon as it is up; the album is saved where
// the test says.
class RealBoxes : public QtDialogService {
public:
    RealBoxes() {
        QObject::connect(&escape_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++answered;
                if (auto act = std::exchange(whileUp, {})) act();
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        escape_.start(20);
    }
    std::optional<QString> SaveFile(const FileDialogRequest&) override { return savePath; }
    QString savePath;
    int answered = 0;
    std::function<void()> whileUp; // done once, while the first box is up

private:
    QTimer escape_;
};

// A folder with a picture no thumbnail can be made of, opened with real message boxes; the
// program is at rest once nothing reads, builds or writes and no box is left open.
class ThumbnailMessages : public ThumbnailPage {
protected:
    void Open(int pictures = 6) {
        Pictures(pictures);
        TempDir::Write(WindowTest::Pictures() + "/p03.jpg", "");
        TempDir::Write(Ini(), "[Dir]\r\nDir=" + WindowTest::Pictures() +
                                  "\r\n[ActivePage]\r\nActivePage=TabSheetGazo\r\n");
        WriteDefaultPkm(AppDir() + "/Default.pkm");
        CreateWindows({AppDir(), Ini()}, {}, false, &boxes);
        mainWindow->show();
    }
    bool Busy() const {
        return model->Reader().Reading() || Page->Building() ||
               windows->exportProgress->Running() || QApplication::activeModalWidget() != nullptr;
    }
    void ExpectAtRest() {
        WaitWhile([this] { return Busy(); });
        EXPECT_FALSE(Busy()) << "work that never ended, or a message nobody could close";
        EXPECT_GE(boxes.answered, 1);
        EXPECT_EQ(Page->Panels().size(), 6u);
    }
    RealBoxes boxes; // the windows go first, in the fixture's TearDown
};

TEST_F(ThumbnailMessages, EveryMessageCanBeAnsweredWhileTheFolderIsReadAgain) {
    Open();
    model->Reader().SetDelay(std::chrono::milliseconds(5));
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(mainWindow, Qt::Key_F5);
        // On to the next F5 once this round's message was answered, or all is done.
        const int answered = boxes.answered;
        WaitWhile([&] { return boxes.answered == answered && Busy(); });
    }
    ExpectAtRest();
}

// Another page asked for while a thumbnail's message is up gets its own panels only.
TEST_F(ThumbnailMessages, APageAskedForUnderAMessageTakesNoPanelOfTheOldOne) {
    Open(40);
    WaitWhile([this] { return Busy(); });
    fs::remove_all(AppDir() + "/@KameluneDir");
    boxes.whileUp = [this] { Page->BuildPage(2); };
    Page->BuildPage(1);
    WaitWhile([this] { return Busy(); });
    ASSERT_FALSE(Page->Panels().empty());
    for (const auto& rec : Page->Panels())
        EXPECT_TRUE(rec->numberLabel.text.startsWith(QStringLiteral("2-")))
            << rec->numberLabel.text.toStdString();
}

// The album made while the page builds: the page's message opens over the writer and is
// answered, and the album is written.
TEST_F(ThumbnailMessages, TheAlbumIsWrittenWhileThePageSaysAThumbnailFailed) {
    Open();
    WaitWhile([this] { return model->Reader().Reading(); });
    model->Reader().SetDelay(std::chrono::milliseconds(30));            // the page builds slowly,
    windows->exportProgress->fileDelay = std::chrono::milliseconds(30); // the album too
    Page->BuildPage(1);
    mainWindow->Commands().SelectAllPictures();
    albumSettings->Controls().openAfterCheck->setChecked(false);
    boxes.savePath = QString::fromStdString(dir / "album.html");
    albumSettings->MakeExport();
    ExpectAtRest();
    EXPECT_TRUE(fs::exists(dir / "album.html"));
}

TEST_F(ThumbnailPage, PicturesTheCacheCannotHoldStillShowWithOneMessage) {
    // "T_" and a 254-byte name make a cache name longer than any file system takes.
    for (char c : {'a', 'b', 'c'})
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg",
                      WindowTest::Pictures() + "/" + std::string(250, c) + ".jpg");
    fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", WindowTest::Pictures() + "/short.jpg");
    dialogs.AnswerOk(); // the start-up page
    dialogs.AnswerOk(); // the page built again below
    StartOnThumbnails();
    BuildPage(1);
    ASSERT_EQ(Page->Panels().size(), 4u);
    for (const auto& rec : Page->Panels()) {
        EXPECT_EQ(rec->image.deviceIndependentSize().toSize(), QSize(88, 66))
            << rec->fileNameLabel.text.toStdString();
        EXPECT_EQ(rec->sizeLabel.text, QStringLiteral("640x480, 128kb"));
    }
    ASSERT_EQ(dialogs.Calls().size(), 2u) << "one message per page, not one per picture";
    EXPECT_TRUE(dialogs.Calls()[0].text.startsWith(QStringLiteral("サムネイルをキャッシュに")));
}

TEST_F(ThumbnailPage, PicturesByKeyboard) {
    Pictures(20);
    StartOnThumbnails();
    mainWindow->show();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    BuildPage(1);
    QWidget* pictures = Page->Controls().panelScroll;
    pictures->setFocus();
    auto current = [this] {
        for (std::size_t i = 0; i < Page->Panels().size(); ++i)
            if (Page->Panels()[i]->current) return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(current(), 0) << "the frame shows with the keyboard";
    const int columns = ColumnsThatFit(pictures->width());
    QTest::keyClick(pictures, Qt::Key_Right);
    QTest::keyClick(pictures, Qt::Key_Down);
    EXPECT_EQ(current(), 1 + columns);
    QTest::keyClick(pictures, Qt::Key_Space);
    EXPECT_EQ(model->Selected().size(), 1u);
    EXPECT_TRUE(Page->Panels()[static_cast<std::size_t>(current())]->selected);
    QTest::keyClick(pictures, Qt::Key_PageDown);
    WaitForPage();
    EXPECT_EQ(Page->CurrentPage(), 2);
    EXPECT_EQ(current(), 0);
    QTest::keyClick(pictures, Qt::Key_Return);
    EXPECT_TRUE(slideshow->isVisible());
    EXPECT_EQ(slideshow->Tag(), 17) << "the first picture of page 2";
    slideshow->close();
}

TEST_F(ThumbnailPage, UprightOptionTurnsThumbnailsByTheirOrientation) {
    // Stored as 450 x 600 with orientation 6 (in an EXIF block after a JFIF header): a landscape
    // picture once turned.
    fs::copy_file(kSamples / "orientation/landscape_6.jpg", WindowTest::Pictures() + "/l.jpg");
    StartOnThumbnails();
    auto shown = [this] { return Page->Panels().at(0)->image.deviceIndependentSize().toSize(); };
    EXPECT_EQ(shown(), QSize(66, 88)) << "as stored";
    // Turned also while the EXIF block after the JFIF header is not read for the tables.
    Ui().uprightAction->trigger();
    EXPECT_EQ(shown(), QSize(88, 66));
    EXPECT_EQ(model->Base().Cell(ItemCol(kItemOrientation), 1), kNoValue);
    Ui().exifAfterJfifAction->trigger();
    WaitForPage();
    EXPECT_EQ(shown(), QSize(88, 66));
    EXPECT_EQ(model->Base().Cell(ItemCol(kItemOrientation), 1), "right,top");
    mainWindow->close();
    EXPECT_EQ(IniFile(Ini()).ReadString("Option", "Upright", ""), "1");
}

TEST_F(ThumbnailPage, HeicAndRawFilesBesideTheJpegsWithTheOption) {
    // A camera's RAW + JPEG pair, RAW files of two other layouts and a phone's HEIC, which its own
    // rotation box turns upright (its EXIF orientation says 6).
    const std::string jpeg = TempDir::Read(kSamples / "Canon_40D.jpg");
    const std::string pics = WindowTest::Pictures();
    fs::copy_file(kSamples / "Canon_40D.jpg", pics + "/IMG_1.JPG");
    TempDir::Write(pics + "/IMG_1.CR2", BuildRawShape(jpeg, RawShape::Cr2));
    TempDir::Write(pics + "/IMG_2.cr3", BuildRawShape(jpeg, RawShape::Cr3));
    TempDir::Write(pics + "/IMG_3.RAF", BuildRawShape(jpeg, RawShape::Raf));
    fs::copy_file(fs::path(KAMELUNE_TEST_DATA) / "heic/landscape_6.heic", pics + "/phone.HEIC");
    StartOnThumbnails();
    EXPECT_EQ(Page->Panels().size(), 1u) << "the JPEG alone without the option";
    Ui().rawHeicAction->trigger();
    WaitForPage();
    Ui().uprightAction->trigger();
    ASSERT_EQ(Page->Panels().size(), 5u);
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("4/5")) << "the JPEG is JFIF-first";
    const QSize landscape(88, 59), portrait(66, 88);
    const std::pair<const char*, QSize> shown[] = {{"IMG_1.CR2", landscape},
                                                   {"IMG_1.JPG", landscape},
                                                   {"IMG_2.cr3", landscape},
                                                   {"IMG_3.RAF", landscape},
                                                   {"phone.HEIC", portrait}};
    for (std::size_t k = 0; k < 5; ++k) {
        const PanelRecord& panel = *Page->Panels()[k];
        EXPECT_EQ(panel.fileNameLabel.text.toStdString(), shown[k].first);
        EXPECT_EQ(panel.image.deviceIndependentSize().toSize(), shown[k].second) << shown[k].first;
    }
    // The pair's thumbnails and sizes kept apart in the cache.
    for (const char* cached : {"IMG_1.CR2", "IMG_1.CR2.TXT", "IMG_1.JPG", "IMG_1.TXT"})
        EXPECT_TRUE(fs::exists(Cache(cached))) << cached;
    mainWindow->close();
    EXPECT_EQ(IniFile(Ini()).ReadString("Option", "RawHeic", ""), "1");
}

TEST_F(ThumbnailPage, CaptionTextsAndLooks) {
    Pictures(1);
    StartOnThumbnails();
    BuildPage(1);
    const PanelRecord* rec = Page->Panels().at(0).get();
    {
        // Labels size to their text: a long size line shows past its designed 90 pixels, up to
        // the panel's edge.
        PanelRecord& r = *Page->Panels().at(0);
        r.sizeLabel.text = QStringLiteral("12000x9000, 123456kb");
        r.sizeLabel.visible = true;
        const QImage shot = r.panel->grab().toImage();
        const int y = r.sizeLabel.rect.top + r.sizeLabel.rect.height / 2;
        int rightmost = 0;
        for (int x = 0; x < shot.width(); ++x)
            for (int dy = -4; dy <= 4; ++dy)
                if (shot.pixelColor(x, y + dy) == Bgr(0x800000)) rightmost = x;
        EXPECT_GT(rightmost, r.sizeLabel.rect.left + 90);
    }
    EXPECT_EQ(rec->captionLines[0].text, QStringLiteral("機種: Canon DIGITAL IXUS"));
    // Emphasis on F値 and ﾌﾗｯｼｭ (entries 2 and 7): behind the text, or on it when transparent.
    EXPECT_EQ(rec->captionLines[2].background, Bgr(0xFFFF00));
    windows->displaySettings->Controls().transparentCheck->setChecked(true);
    windows->displaySettings->Apply();
    rec = Page->Panels().at(0).get();
    EXPECT_TRUE(rec->captionLines[2].transparent);
    EXPECT_EQ(rec->captionLines[2].color, Bgr(0xFFFF00));
    EXPECT_EQ(rec->captionLines[3].color, Bgr(0x000000));
    // A heading cleared in the item grid: the bare value.
    TypeIntoCell(itemChoice->Controls().itemView, 2, 4, QString());
    itemChoice->Apply();
    BuildPage(1);
    EXPECT_EQ(Page->Panels()[0]->captionLines[0].text, QStringLiteral("Canon DIGITAL IXUS"));
}

// The selection's own walk is tested plainly; here the panels follow it, page built or not.
TEST_F(ThumbnailPage, RandomClicksKeepTablesAndPanelsInStep) {
    Pictures(12, true);
    StartOnThumbnails();
    BuildPage(1);
    std::mt19937 random(7);
    for (int step = 0; step < 300; ++step) {
        const int op = static_cast<int>(random() % 4);
        const int k = static_cast<int>(random() % Page->Panels().size());
        if (op == 0) {
            Page->PanelClicked(*Page->Panels()[k]);
        } else if (op == 1) {
            mainWindow->Commands().SelectionCellClicked(1, k + 1);
            BuildPage(1); // a table click leaves the panels to the next page
        } else if (op == 2) {
            mainWindow->Commands().SelectAllPictures();
        } else {
            mainWindow->Commands().InvertSelection();
        }
        for (const auto& rec : Page->Panels()) {
            const std::string_view cell = model->View().Cell(1, rec->exifRow);
            ASSERT_EQ(rec->selected, !cell.empty()) << step;
            ASSERT_EQ(rec->panel->Color(), Bgr(rec->selected ? 0xC4FABA : 0xC0C0C0)) << step;
            ASSERT_EQ(rec->selectionNumberLabel.text.toStdString(), rec->selected ? cell : "")
                << step;
        }
    }
}

TEST_F(ThumbnailPage, EmptyTableAndCommandsThatNeedASelection) {
    Start("[Dir]\r\nDir=" + WindowTest::Pictures() + "\r\n");
    const struct {
        void (PictureCommands::*handler)();
        const char* message;
    } cases[] = {
        {&PictureCommands::SelectAllPictures, "イメージがありません。"},
        {&PictureCommands::InvertSelection, "イメージがありません。"},
        {&PictureCommands::OpenAlbum, "イメージが選択されていません"},
        {&PictureCommands::OpenHtmlTable, "選択されたイメージがありません"},
        {&PictureCommands::StartSlideshow, "選択されたイメージがありません"},
        {&PictureCommands::OpenBatchRename, "選択されたファイルがありません。"},
        {&PictureCommands::OpenItemChoice, "イメージがありません"},
    };
    for (const auto& c : cases) {
        dialogs.AnswerOk();
        (mainWindow->Commands().*c.handler)();
        EXPECT_EQ(Said(), QString::fromUtf8(c.message));
    }
    const std::size_t calls = dialogs.Calls().size();
    mainWindow->Commands().SelectNoPicture();
    EXPECT_EQ(dialogs.Calls().size(), calls) << "select none says nothing";
}

TEST_F(ThumbnailPage, PopupCommandsAndTheRowJumpFindTheirPicture) {
    Pictures(5);
    StartOnThumbnails();
    BuildPage(1);
    // From a thumbnail.
    mainWindow->Commands().SetPopupTarget(kamelune::ThumbnailPage::Target(*Page->Panels()[3]));
    mainWindow->Commands().SlideshowFromHere();
    EXPECT_EQ(slideshow->Tag(), 4);
    EXPECT_EQ(slideshow->windowTitle(), QStringLiteral("スライドショー(全表示)"));
    EXPECT_EQ(Table().exifGrid->currentIndex().row(), 3);
    mainWindow->Commands().CopyExif();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("p04.jpg\r\n機種: Canon DIGITAL IXUS\r\n")));
    EXPECT_EQ(copied.count(QStringLiteral("\r\n")), 22);
    EXPECT_TRUE(copied.endsWith(QStringLiteral("640x480, 128kb\r\n")));
    slideshow->hide();
    // From the table: a right click makes the row current first.
    Ui().pageTabs->setCurrentWidget(Ui().tablePage);
    Table().exifGrid->show();
    const QRect cell = Table().exifGrid->visualRect(Table().exifGrid->model()->index(1, 3));
    Ui().tablePage->TablePressed(Qt::RightButton, cell.center());
    Ui().pictureMenu->hide();
    EXPECT_EQ(mainWindow->Commands().PopupPicture(), 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
    mainWindow->Commands().CopyExif();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));
    mainWindow->Commands().SlideshowFromHere();
    EXPECT_EQ(slideshow->Tag(), 2);
    slideshow->hide();
    // The row jump stays inside the table.
    Table().jumpBox->setValue(999);
    EXPECT_EQ(Table().jumpBox->value(), 5);
    Ui().tablePage->JumpNow();
    EXPECT_EQ(Table().exifGrid->currentIndex().row(), 4);
}

// The item dialog's clicks (numbered as a plain test shows) choose the table's columns and the
// emphasis list. Items, headings and looks saved as the default come back at the next start, the
// same to the byte when saved again; a loaded file gives items and headings only; a short file is
// refused with a message, at start too, where the built-in items apply.
TEST_F(ThumbnailPage, ItemsChosenSavedLoadedAndRefused) {
    Pictures(2);
    StartOnThumbnails();
    itemChoice->ClearChoices();
    for (int row : {4, 19, 36})
        itemChoice->ItemClicked(1, row);
    itemChoice->ItemClicked(2, 5); // other columns do nothing
    TypeIntoCell(itemChoice->Controls().itemView, 2, 19, QStringLiteral("絞り値"));
    EXPECT_NE(model->ChosenItems(), (std::vector<int>{4, 19, 36})) << "the choice waits for 適用";
    itemChoice->Apply();
    EXPECT_EQ(model->ChosenItems(), (std::vector<int>{4, 19, 36}));
    EXPECT_EQ(model->View().ColCount(), 6);
    EXPECT_EQ(windows->displaySettings->Attributes().emphasisChecked, std::vector<bool>(3, false));
    DisplayAttributes a = windows->displaySettings->Attributes();
    a.emphasisChecked = {false, true, false};
    a.selectedColor = 0x00FF00;
    a.transparent = true;
    windows->displaySettings->SetAttributes(a);
    const std::string saved = AppDir() + "/Default.pkm";
    dialogs.AnswerPath(saved);
    windows->displaySettings->RestoreDefaults();
    const std::string bytes = TempDir::Read(saved);

    DestroyWindows();
    StartOnThumbnails(false);
    EXPECT_EQ(model->ChosenItems(), (std::vector<int>{4, 19, 36}));
    const DisplayAttributes b = windows->displaySettings->Attributes();
    EXPECT_EQ(b.emphasisChecked, a.emphasisChecked);
    EXPECT_EQ(b.selectedColor, 0x00FF00u);
    EXPECT_TRUE(b.transparent);
    EXPECT_EQ(Page->Panels().at(0)->captionLines[1].text, QStringLiteral("絞り値: 4.0"));
    dialogs.AnswerPath(AppDir() + "/again.pkm");
    itemChoice->SaveToFile();
    EXPECT_EQ(TempDir::Read(AppDir() + "/again.pkm"), bytes);

    StringGrid grid(4, kItemRows);
    SetUpItemGrid(grid);
    grid.SetCell(1, 10, "1");
    grid.SetCell(2, 10, "日時");
    auto lines = MakePkmLines(grid, DisplayAttributes{});
    ASSERT_TRUE(WriteTextLines(AppDir() + "/one.pkm", lines));
    dialogs.AnswerPath(AppDir() + "/one.pkm");
    itemChoice->OpenFromFile();
    EXPECT_EQ(model->ChosenItems(), (std::vector<int>{10}));
    EXPECT_EQ(itemChoice->Controls().itemGrid.Cell(2, 10), "日時");
    EXPECT_EQ(windows->displaySettings->Attributes().selectedColor, 0x00FF00u) << "the looks stay";

    lines.resize(120);
    ASSERT_TRUE(WriteTextLines(saved, lines));
    dialogs.AnswerPath(saved);
    dialogs.AnswerOk();
    itemChoice->OpenFromFile();
    EXPECT_EQ(model->ChosenItems(), (std::vector<int>{10}));
    dialogs.AnswerOk();
    DestroyWindows();
    CreateWindows({AppDir(), Ini()});
    const auto& calls = dialogs.Calls(); // the load's message, then the start's
    for (std::size_t i : {calls.size() - 2, calls.size() - 1})
        EXPECT_TRUE(calls[i].text.startsWith(QStringLiteral("項目ファイルを読めません。")));
    EXPECT_EQ(model->ChosenItems().size(), 9u);
}

TEST_F(ThumbnailPage, SmallPreviewBox) {
    Pictures(1);
    fs::copy_file(kSamples / "orientation/portrait_1.jpg", WindowTest::Pictures() + "/q.jpg");
    Start("[Dir]\r\nDir=" + WindowTest::Pictures() + "\r\n");
    // Read and decoded off the window's thread: the call returns before the picture is there.
    const QRect before = Ui().smallPicture->geometry();
    mainWindow->DisplaySmallImage(1);
    EXPECT_EQ(Ui().smallPicture->geometry(), before);
    QTRY_COMPARE(Ui().smallPicture->geometry(), QRect(0, 12, 96, 72));
    mainWindow->DisplaySmallImage(2);
    QTRY_COMPARE(Ui().smallPicture->geometry().height(), 96);
    const QRect portrait = Ui().smallPicture->geometry();
    EXPECT_EQ(portrait.height(), 96);
    EXPECT_EQ(portrait.top(), 0);
    EXPECT_EQ(portrait.left(), (96 - portrait.width()) / 2);
    mainWindow->DisplaySmallImage(3); // beyond the table: nothing
    EXPECT_EQ(Ui().smallPicture->geometry(), portrait);
}

} // namespace kamelune::test
