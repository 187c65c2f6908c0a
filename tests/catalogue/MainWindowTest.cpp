// The main window on the offscreen platform: start-up, settings, folder change, tables, cache
// and dropped files.
#include "platform/qt/StringGridModel.h"
#include "support/MainWindowFixture.h"
#include "support/Watchdog.h"

#include <QSignalSpy>

#include <functional>
#include <optional>
#include <set>

namespace kamelune::test {

// The first start: no settings, no item file (the built-in items are said to apply).
TEST_F(WindowTest, FirstStartWithoutSettingsOrItemFile) {
    dialogs.AnswerOk();
    Start({}, false);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("Defaultファイルがみつかりません。項目を自動設定します。"));
    EXPECT_TRUE(Page->Controls().allItemsButton->isChecked());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((mainWindow->geometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_EQ(Ui().pageTabs->currentWidget(), Ui().tablePage);
    EXPECT_EQ(model->Places().CurrentDir(), QDir::homePath().toStdString());
    EXPECT_EQ(model->Places().ThumbDir(), AppDir());
    EXPECT_TRUE(Ui().cacheBesidePicturesAction->isChecked());
    EXPECT_FALSE(Ui().pageTabs->isTabVisible(2)) << "BaseTable tab is hidden";
    EXPECT_EQ(model->ChosenItems().size(), 9u);
    const auto* versions = windows->aboutDialog->findChild<QLabel*>(QStringLiteral("Versions"));
    ASSERT_TRUE(versions);
    EXPECT_TRUE(versions->text().startsWith(QStringLiteral("Kamelune 0.8C\nQt 6.")));
    EXPECT_TRUE(versions->text().contains(QStringLiteral("libjpeg-turbo 2.")));
    const auto* licence = windows->aboutDialog->findChild<QLabel*>(QStringLiteral("Licence"));
    ASSERT_TRUE(licence);
    EXPECT_EQ(licence->text(), QStringLiteral("MIT License"));
}

TEST_F(WindowTest, InstalledCopiesFollowXdgAndOthersKeepEverythingBesideThem) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir / "config"));
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(dir / "cache"));
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(dir / "state"));
    const std::string prefix = dir / "prefix";
    for (const char* sub : {"/bin", "/share/kamelune", "/build", "/portable"})
        fs::create_directories(prefix + sub);
    fs::copy_file(KAMELUNE_BUILT_PKM, prefix + "/share/kamelune/Default.pkm");
    TempDir::Write(prefix + "/build/CMakeCache.txt", "");
    TempDir::Write(prefix + "/portable/kamelune.ini", "");
    auto resolve = [](const std::string& program) {
        return ResolveAppPaths(QString::fromStdString(program));
    };
    const AppPaths installed = resolve(prefix + "/bin/kamelune");
    EXPECT_EQ(installed.appDir, dir / "config/Kamelune");
    EXPECT_EQ(installed.settingsPath, dir / "config/Kamelune/kamelune.ini");
    EXPECT_EQ(installed.cacheDir, dir / "cache/Kamelune");
    EXPECT_EQ(installed.shippedPkm, prefix + "/share/kamelune/Default.pkm");
    EXPECT_EQ(installed.stateDir, dir / "state/kamelune");
    for (const char* beside : {"/build", "/portable"}) {
        const AppPaths p = resolve(prefix + beside + "/kamelune");
        EXPECT_EQ(p.appDir, prefix + beside);
        EXPECT_EQ(p.cacheDir, prefix + beside);
    }

    // The installed copy's first start: the shipped layout, quietly; the cache under XDG.
    CreateWindows(installed);
    EXPECT_TRUE(dialogs.Calls().empty());
    ItemList items;
    {
        StringGrid grid(4, kItemRows);
        DisplayAttributes a;
        SetBuiltInChoice(grid, items, a);
    }
    EXPECT_EQ(model->ChosenItems(), items);
    EXPECT_EQ(model->Places().ThumbDir(), dir / "cache/Kamelune");
    EXPECT_TRUE(Ui().cacheBesidePicturesAction->isChecked());
    mainWindow->close();
    EXPECT_TRUE(fs::exists(dir / "config/Kamelune/kamelune.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(prefix + "/bin"), {}), 0)
        << "nothing written beside an installed program";
    EXPECT_FALSE(fs::exists(dir / "state")) << "no widths file before a width is set";
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CACHE_HOME");
    qunsetenv("XDG_STATE_HOME");
}

TEST_F(WindowTest, StoredGeometryTabPaneAndFolderAreAppliedAndWrittenBack) {
    // A place saved on a screen that is gone comes back onto the one there is.
    Start("[Form]\r\nLeft=2500\r\nTop=10\r\n[ActivePage]\r\nActivePage=Whatever\r\n"
          "[Pane]\r\nHairetu=2\r\n");
    EXPECT_TRUE(Page->Controls().fourItemsButton->isChecked());
    EXPECT_EQ(Ui().pageTabs->currentWidget(), Page) << "any page but the table's";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QRect(mainWindow->pos(), mainWindow->size())))
        << mainWindow->pos().x() << " on a screen " << screen.width() << " wide";
    DestroyWindows();
    Start("[Form]\r\nLeft=30\r\nTop=40\r\nWidth=700\r\nHeight=500\r\n[ActivePage]\r\n"
          "ActivePage=TabSheetGazo\r\n[Dir]\r\nDir=" +
          Pictures() + "\r\n[Pane]\r\nHairetu=7\r\n");
    EXPECT_TRUE(Page->Controls().picturesOnlyButton->isChecked() && model->Pane() == 1)
        << "an unknown layout";
    EXPECT_EQ(mainWindow->geometry(), QRect(30, 40, 700, 500));
    EXPECT_EQ(model->Places().CurrentDir(), Pictures());
    // Written back on close, byte for byte, in the file's own order of sections.
    mainWindow->setGeometry(50, 60, 700, 400);
    Page->Controls().fourItemsButton->setChecked(true);
    mainWindow->close();
    const QRect g(mainWindow->pos(), mainWindow->size());
    EXPECT_EQ(TempDir::Read(Ini()),
              "[Form]\r\nLeft=" + std::to_string(g.left()) + "\r\nTop=" + std::to_string(g.top()) +
                  "\r\nWidth=" + std::to_string(g.width()) +
                  "\r\nHeight=" + std::to_string(g.height()) +
                  "\r\n[ActivePage]\r\nActivePage=TabSheetGazo\r\n[Dir]\r\nDir=" + Pictures() +
                  "\r\nThumbDir=" + AppDir() + "\r\n[Pane]\r\nHairetu=2\r\n");
}

TEST_F(WindowTest, VanishedFoldersFallBackTheCacheRootIsRefusedAnEmptyFolderIsTaken) {
    Start("[Dir]\r\nDir=/no/such/folder\r\nThumbDir=/no/such/cache\r\n");
    EXPECT_EQ(model->Places().CurrentDir(), QDir::homePath().toStdString());
    EXPECT_EQ(model->Places().ThumbDir(), AppDir());
    EXPECT_TRUE(Ui().cacheBesidePicturesAction->isChecked());
    mainWindow->close();
    EXPECT_EQ(IniFile(Ini()).ReadString("Dir", "ThumbDir", ""), AppDir());
    DestroyWindows();
    fs::create_directories(dir / "elsewhere");
    ThreePictures();
    Start("[Dir]\r\nDir=" + Pictures() + "\r\nThumbDir=" + dir / "elsewhere" + "\r\n");
    EXPECT_EQ(model->Places().ThumbDir(), dir / "elsewhere");
    EXPECT_TRUE(Ui().cacheElsewhereAction->isChecked());

    // The cache root is refused, an empty folder taken.
    const std::string cache = AppDir() + "/@KameluneDir/sub";
    fs::create_directories(cache);
    dialogs.AnswerOk();
    mainWindow->SetCurrentDir(cache);
    EXPECT_EQ(Said(), QStringLiteral("ここはKameluneの情報格納場所です。"));
    EXPECT_EQ(model->Base().RowCount(), 4) << "the previous folder's tables stay";
    model->ChangeSelection([](SelectionTables& t) {
        t.list = {1};
        return true;
    });
    fs::create_directories(dir / "empty");
    mainWindow->SetCurrentDir(dir / "empty");
    WaitForPage();
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("0/0"));
    EXPECT_EQ(View().RowCount(), 1);
    EXPECT_EQ(model->Base().RowCount(), 1);
    EXPECT_TRUE(model->Selected().empty());
}

TEST_F(WindowTest, FixedColumnsStayAtTheLeftWhileTheRestScrolls) {
    ThreePictures();
    Start("[ActivePage]\r\nActivePage=TabSheetTable\r\n[Dir]\r\nDir=" + Pictures() + "\r\n");
    mainWindow->resize(500, 400);
    mainWindow->show();
    GridView* view = Table().exifGrid;
    auto* fixed = view->findChild<QTableView*>(QStringLiteral("FixedColumns"));
    ASSERT_TRUE(fixed);
    for (const bool three : {false, true}) {
        if (three) Table().threeFixedCheck->click();
        const int n = three ? 3 : 1;
        ASSERT_EQ(view->FixedColumns(), n);
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        ASSERT_GT(view->horizontalScrollBar()->value(), 0) << "the table is wider than the window";
        EXPECT_TRUE(fixed->isVisible());
        EXPECT_EQ(fixed->x(), view->frameWidth());
        EXPECT_EQ(fixed->width(), view->FixedWidth());
        EXPECT_EQ(fixed->viewport()->mapToGlobal(QPoint()), view->viewport()->mapToGlobal(QPoint()))
            << "rows line up with the scrolled ones";
        int left = 0;
        for (int c = 0; c < n; ++c) {
            EXPECT_FALSE(fixed->isColumnHidden(c)) << c;
            EXPECT_EQ(view->indexAt({left + 2, 5}).column(), c) << "fixed column " << c;
            left += view->columnWidth(c);
        }
        EXPECT_TRUE(fixed->isColumnHidden(n));
        EXPECT_GT(view->indexAt({left + 2, 5}).column(), n) << "scrolled columns beside them";
    }
    // A click on the fixed 選択 column selects, as before the scroll.
    const QPoint selectCell(view->columnWidth(0) + 2, view->rowViewportPosition(1) + 3);
    QTest::mouseClick(fixed->viewport(), Qt::LeftButton, {}, selectCell);
    EXPECT_EQ(model->Selected(), (std::vector<int>{2}));
    Table().threeFixedCheck->click();
    EXPECT_EQ(view->FixedColumns(), 1);
}

// A width dragged, or fitted by the menu command, is kept by heading across folders and starts,
// in the state folder; the settings file does not hold it.
TEST_F(WindowTest, ColumnWidthsSetByTheUserStay) {
    ThreePictures();
    const std::string other = dir / "other";
    fs::create_directories(other);
    fs::copy_file(kSamples / "Canon_40D.jpg", other + "/x.jpg");
    TempDir::Write(Ini(), "[ActivePage]\r\nActivePage=TabSheetTable\r\n[Dir]\r\nDir=" + Pictures() +
                              "\r\n");
    WriteDefaultPkm(AppDir() + "/Default.pkm");
    const AppPaths paths{AppDir(), Ini(), {}, {}, dir / "state"};
    CreateWindows(paths);
    mainWindow->resize(900, 400);
    mainWindow->show();
    const auto widths = [this] {
        std::map<std::string, int> out;
        for (int c = 2; c < View().ColCount(); ++c)
            out[std::string(View().Cell(c, 0))] = Table().exifGrid->columnWidth(c);
        return out;
    };
    const std::map<std::string, int> before = widths();

    // Fitted: no text in sight is cut (within the widest a fitted column becomes).
    mainWindow->findChild<QAction*>(QStringLiteral("FitColumns"))->trigger();
    GridView* view = Table().exifGrid;
    const QFontMetrics metrics = view->fontMetrics();
    for (int c = 2; c < View().ColCount(); ++c)
        for (int r = 1; r < View().RowCount(); ++r) {
            const int text = metrics.horizontalAdvance(
                QString::fromStdString(std::string(TrimText(View().Cell(c, r)))));
            EXPECT_GE(view->columnWidth(c), std::min(text, ColumnWidths::kMaxFitWidth - 8))
                << View().Cell(c, 0) << " row " << r;
        }
    EXPECT_NE(widths(), before);

    // Dragged: the right edge of the model's column, 70 pixels to the right.
    int col = 2;
    while (View().Cell(col, 0) != "機種")
        ASSERT_LT(++col, View().ColCount());
    QHeaderView* header = view->horizontalHeader();
    const int width = view->columnWidth(col);
    const QPoint edge(header->sectionViewportPosition(col) + width - 1, header->height() / 2);
    const auto mouse = [header](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, header->viewport()->mapToGlobal(at), Qt::LeftButton, buttons,
                          {});
        QApplication::sendEvent(header->viewport(), &event);
    };
    mouse(QEvent::MouseMove, edge, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, edge, Qt::LeftButton);
    mouse(QEvent::MouseMove, edge + QPoint(35, 0), Qt::LeftButton);
    mouse(QEvent::MouseMove, edge + QPoint(70, 0), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, edge + QPoint(70, 0), Qt::NoButton);
    ASSERT_EQ(view->columnWidth(col), width + 70);
    const std::map<std::string, int> set = widths();

    // Another folder, then the next start.
    mainWindow->SetCurrentDir(other);
    WaitForPage();
    EXPECT_EQ(Table().exifGrid->columnWidth(col), width + 70);
    mainWindow->close();
    EXPECT_EQ(TempDir::Read(Ini()).find(std::to_string(width + 70)), std::string::npos)
        << "not in the settings file";
    EXPECT_TRUE(fs::exists(dir / "state/column-widths.txt"));
    DestroyWindows();
    CreateWindows(paths);
    mainWindow->SetCurrentDir(Pictures());
    WaitForPage();
    EXPECT_EQ(widths(), set);
}

TEST_F(WindowTest, FolderListShowsTheChainAndSubfoldersAndOpensOnEnter) {
    const std::string deep = dir / "a/b/c/d/e";
    fs::create_directories(deep + "/sub one");
    fs::create_directories(deep + "/sub two");
    // A name that is not UTF-8 and the UTF-8 of U+FFFD show alike and open apart.
    fs::create_directories(deep + "/dir\xff");
    fs::create_directories(deep + "/dir\xef\xbf\xbd");
    StartIn(deep);
    DirectoryListBox* list = Ui().folderTree;
    QTRY_VERIFY(!list->Listing());
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("/"));
    EXPECT_EQ(list->item(list->count() - 1)->text(), QStringLiteral("sub two"));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("e"));
    EXPECT_EQ(list->currentItem()->toolTip(), QString::fromStdString(deep));
    const auto open = std::exchange(list->onChosen, {});
    std::set<std::string> chosen;
    list->onChosen = [&](const std::string& folder) { chosen.insert(folder); };
    for (int row = list->count() - 4; row < list->count() - 2; ++row) {
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Return);
    }
    EXPECT_EQ(chosen, (std::set<std::string>{deep + "/dir\xff", deep + "/dir\xef\xbf\xbd"}));
    list->onChosen = open;
    fs::remove(deep + "/dir\xff");
    fs::remove(deep + "/dir\xef\xbf\xbd");

    // F5 lists the folders again: one removed on disk is gone.
    fs::remove(deep + "/sub one");
    mainWindow->findChild<QAction*>(QStringLiteral("Reread"))->trigger();
    QTRY_VERIFY(!list->Listing());
    EXPECT_EQ(list->item(list->count() - 1)->text(), QStringLiteral("sub two"));
    EXPECT_EQ(list->item(list->count() - 2)->text(), QStringLiteral("e"));
    WaitForPage();

    // Moving in the list changes nothing; Enter opens the entry, as a double-click does.
    list->setCurrentRow(list->count() - 1);
    EXPECT_EQ(model->Places().CurrentDir(), deep);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(model->Places().CurrentDir(), deep + "/sub two");
    QTRY_VERIFY(!list->Listing());
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("sub two"));

    // A folder that cannot be listed says so rather than showing an empty table.
    WaitForPage();
    fs::remove(deep + "/sub two");
    dialogs.AnswerOk();
    mainWindow->findChild<QAction*>(QStringLiteral("Reread"))->trigger();
    WaitForPage();
    ASSERT_FALSE(dialogs.Calls().empty());
    EXPECT_EQ(Said(), QString::fromStdString("見つかりません: " + deep + "/sub two"));
}

// Reading options rebuild the tables; the EXIF-after-JFIF one is remembered.
TEST_F(WindowTest, ReadingOptionsRebuildTheTables) {
    ThreePictures(); // b.jpg has a JFIF header before its EXIF block
    StartIn(Pictures());
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("2/3"));
    EXPECT_EQ(model->Base().Cell(ItemCol(kItemModel), 2), "---");
    Ui().exifAfterJfifAction->trigger();
    WaitForPage();
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("3/3"));
    EXPECT_EQ(model->Base().Cell(ItemCol(kItemModel), 2), std::string("Canon EOS 40D\0", 14));
    EXPECT_EQ(model->Base().Cell(38, 1), "OLYMP") << "maker notes cut to five characters";
    Ui().limitMakerNoteAction->trigger();
    WaitForPage();
    EXPECT_GT(model->Base().Cell(38, 1).size(), 176u) << "the whole 176-byte note";
    Ui().limitUserCommentAction->trigger();
    WaitForPage();
    EXPECT_GT(model->Base().Cell(39, 1).size(), 5u);
    mainWindow->close();
    EXPECT_EQ(IniFile(Ini()).ReadString("Option", "ExifAfterJfif", ""), "1");
    DestroyWindows();
    CreateWindows({AppDir(), Ini()});
    EXPECT_TRUE(Ui().exifAfterJfifAction->isChecked());
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("3/3"));
}

// A slowed read (as on a network share): the window is there before the folder is read and
// answers meanwhile; commands that need the tables do nothing until the read ends, F5 starts it
// again without a read inside a read, and a quit ends it at once with the settings written.
TEST_F(WindowTest, AFolderReadIsLiveAndStoppable) {
    for (int i = 0; i < 20; ++i)
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg",
                      Pictures() + "/p" + std::to_string(10 + i) + ".jpg");
    TempDir::Write(Ini(), "[Dir]\r\nDir=" + Pictures() + "\r\n");
    WriteDefaultPkm(AppDir() + "/Default.pkm");
    qputenv("KAMELUNE_READ_DELAY_MS", "25");
    CreateWindows({AppDir(), Ini()}, {}, false);
    qunsetenv("KAMELUNE_READ_DELAY_MS");
    ASSERT_TRUE(model->Reader().Reading())
        << "the window comes before the start folder's read ends";
    mainWindow->show();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    QTRY_VERIFY(
        mainWindow->statusBar()->currentMessage().startsWith(QStringLiteral("Make List: No=")));
    EXPECT_FALSE(Ui().hideButton->isEnabled());
    EXPECT_FALSE(mainWindow->findChild<QAction*>(QStringLiteral("SelectAll"))->isEnabled());
    Ui().countLabel->setFocus();
    const std::size_t asked = dialogs.Calls().size();
    QTest::keyClick(mainWindow, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(mainWindow, Qt::Key_Delete);
    QTest::keyClick(mainWindow, Qt::Key_F5);
    EXPECT_TRUE(model->Reader().Reading());
    EXPECT_EQ(dialogs.Calls().size(), asked) << "no question inside a read";
    WaitForPage();
    EXPECT_TRUE(model->Selected().empty());
    EXPECT_EQ(View().RowCount(), 21);
    EXPECT_TRUE(Ui().hideButton->isEnabled());
    EXPECT_EQ(mainWindow->statusBar()->currentMessage(), QString::fromStdString(Pictures()));
    QSignalSpy told(model, &FolderModel::selectionChanged);
    QTest::keyClick(mainWindow, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(model->Selected().size(), 20u);
    QTest::keyClick(mainWindow, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(mainWindow, Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(model->Selected().empty()) << "reversed";
    mainWindow->Commands().SelectionCellClicked(1, 1);
    QTest::keyClick(mainWindow, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(model->Selected().empty()) << "none";
    QTest::keyClick(mainWindow, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(told.count(), 4) << "told of each change, and only of a change";

    // Closing never waits out a read, however slow its disk.
    model->Reader().SetDelay(kHours);
    QTest::keyClick(mainWindow, Qt::Key_F5);
    ASSERT_TRUE(model->Reader().Reading());
    TempDir::Write(Ini(), "");
    {
        Watchdog quit("closing the window during a read");
        mainWindow->close();
        DestroyWindows();
    }
    EXPECT_EQ(IniFile(Ini()).ReadString("Dir", "Dir", ""), Pictures());
}

// Past 2,000 pictures, an option: every picture gets a row, a number and a place on a page, and
// the sort takes them all; off again, the first 2,000 as always.
TEST_F(WindowTest, AllPicturesOfAFolderPast2000) {
    fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/p0000.jpg");
    for (int i = 1; i < 2100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/p%04d.jpg", i);
        fs::create_hard_link(Pictures() + "/p0000.jpg", Pictures() + name);
    }
    TempDir::Write(Ini(), "[Dir]\r\nDir=" + Pictures() +
                              "\r\n[ActivePage]\r\nActivePage=TabSheetGazo\r\n"
                              "[Option]\r\nAllPictures=1\r\n");
    WriteDefaultPkm(AppDir() + "/Default.pkm");
    qputenv("KAMELUNE_READ_DELAY_MS", "1");
    CreateWindows({AppDir(), Ini()}, {}, false);
    qunsetenv("KAMELUNE_READ_DELAY_MS");
    mainWindow->show();
    EXPECT_TRUE(Ui().allPicturesAction->isChecked());
    // The first rows and page come long before the rest; nothing is selected on them.
    WaitWhile([this] { return View().RowCount() <= 1; });
    ASSERT_TRUE(model->Reader().Reading());
    EXPECT_EQ(View().RowCount(), 65);
    mainWindow->Commands().SelectionCellClicked(1, 1);
    EXPECT_TRUE(model->Selected().empty());
    WaitForPage();
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("2100/2100"));
    ASSERT_EQ(View().RowCount(), 2101);
    EXPECT_EQ(View().Cell(0, 2100), " 2100");
    EXPECT_EQ(View().Cell(2, 2100), "p2099.jpg");
    Page->BuildPage(66);
    WaitForPage();
    EXPECT_EQ(Page->PageCount(), 66) << "2,100 pictures of 32 a page";
    EXPECT_EQ(Page->Panels().size(), 20u);
    model->SetSortKeys({1});
    sortDialog->SortNow();
    WaitWhile([this] { return sortDialog->Sorting(); });
    EXPECT_EQ(model->RowOrder().size(), 2100u);
    mainWindow->Commands().SelectAllPictures();
    EXPECT_EQ(model->Base().Cell(1, 2100), "2100");
    Ui().allPicturesAction->trigger();
    WaitForPage();
    EXPECT_EQ(CounterText(model->ReadCounts()), "2100/2000");
    EXPECT_EQ(View().RowCount(), 2001);
}

TEST_F(WindowTest, DroppedFiles) {
    ThreePictures();
    StartIn(Pictures());
    const QString jpeg = QString::fromStdString((kSamples / "exif-org/sony-d700.jpg").string());
    mainWindow->Files().DropPictures({jpeg, QStringLiteral("/ignored/second.jpg")});
    WaitWhile([this] { return mainWindow->Files().Copying(); });
    WaitForPage();
    EXPECT_TRUE(fs::exists(Pictures() + "/sony-d700.jpg"));
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("3/4"));

    dialogs.AnswerOk();
    mainWindow->Files().DropPictures({QString::fromStdString(dir / "notes.txt")});
    EXPECT_EQ(Said(), QStringLiteral("Jpegファイルでありません"));

    // Same name from elsewhere: asked first, and "No" keeps the picture there.
    fs::create_directories(dir / "other");
    fs::copy_file(kSamples / "Canon_40D.jpg", dir / "other/a.jpg");
    const std::string before = TempDir::Read(Pictures() + "/a.jpg");
    dialogs.AnswerYes(false);
    mainWindow->Files().DropPictures({QString::fromStdString(dir / "other/a.jpg")});
    EXPECT_EQ(dialogs.Calls().back().kind, DialogCall::YesNo);
    EXPECT_EQ(TempDir::Read(Pictures() + "/a.jpg"), before);
    dialogs.AnswerYes(true);
    mainWindow->Files().DropPictures({QString::fromStdString(dir / "other/a.jpg")});
    WaitWhile([this] { return mainWindow->Files().Copying(); });
    EXPECT_EQ(TempDir::Read(Pictures() + "/a.jpg"), TempDir::Read(dir / "other/a.jpg"));

    // A picture of this folder dropped onto it: nothing asked, nothing truncated.
    const std::size_t calls = dialogs.Calls().size();
    const std::string c = TempDir::Read(Pictures() + "/c.jpg");
    mainWindow->Files().DropPictures({QString::fromStdString(Pictures() + "/c.jpg")});
    EXPECT_EQ(dialogs.Calls().size(), calls);
    EXPECT_EQ(TempDir::Read(Pictures() + "/c.jpg"), c);
}

// A setter says a real change once, with what changed; the same value set again says nothing.
TEST(FolderModelSetters, SayARealChangeOnceAndNothingElse) {
    FolderModel model({"/app", "/app/kamelune.ini"});
    QSignalSpy changed(&model, &FolderModel::changed);
    QSignalSpy places(&model.Places(), &FolderPlaces::changed);
    StringGrid headings = model.Items();
    headings.SetCell(2, kItemModel, "機種名");
    FolderOptions exifOnly;
    exifOnly.exifOnly = true;
    using Aspect = FolderModel::Aspect;
    const struct {
        const char* what;
        std::function<void()> set;
        QSignalSpy& spy;
        std::optional<Aspect> aspect;
    } cases[] = {
        {"sort keys", [&] { model.SetSortKeys({kItemModel}); }, changed, Aspect::SortKeys},
        {"options", [&] { model.SetOptions(exifOnly); }, changed, Aspect::Options},
        {"choice", [&] { model.SetChosenItems({kItemFlash}); }, changed, Aspect::ChosenItems},
        {"catalogue", [&] { model.SetItemCatalogue(headings, {kItemFlash}); }, changed,
         Aspect::ItemCatalogue},
        {"folder", [&] { model.Places().SetCurrentDir("/p"); }, places, std::nullopt},
        {"cache", [&] { model.Places().SetThumbDir("/t"); }, places, std::nullopt},
        {"masks", [&] { model.Places().SetFileMask("*.jpg"); }, places, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto before = c.spy.count();
        c.set();
        ASSERT_EQ(c.spy.count(), before + 1) << c.what;
        if (c.aspect) {
            EXPECT_EQ(c.spy.last().at(0).value<Aspect>(), *c.aspect) << c.what;
        }
        c.set();
        EXPECT_EQ(c.spy.count(), before + 1) << c.what << " set again";
    }
    EXPECT_EQ(model.Items().Cell(2, kItemModel), "機種名");
}

} // namespace kamelune::test
