// Hide, show again, delete and the cache place in the running program (offscreen).
#include "support/MainWindowFixture.h"

namespace kamelune::test {

class HideDelete : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/" + name);
        Start("[Dir]\r\nDir=" + Pictures() + "\r\n[ActivePage]\r\nActivePage=TabSheetGazo\r\n");
    }
    std::string Cache() const { return AppDir() + "/@KameluneDir/" + CacheSubNameOf(Pictures()); }
};

TEST_F(HideDelete, HideOneFromThePopupAndShowAgain) {
    ASSERT_TRUE(fs::exists(Cache() + "/T_a.jpg")) << "page 1 was built at start-up";
    mainWindow->findChild<QAction*>(QStringLiteral("HidePopup"))
        ->trigger(); // neither a thumbnail nor a table row: nothing
    mainWindow->Commands().SetPopupTarget(ThumbnailPage::Target(*Page->Panels().at(0)));
    dialogs.AnswerYes(false);
    mainWindow->findChild<QAction*>(QStringLiteral("HidePopup"))->trigger();
    EXPECT_TRUE(fs::exists(Pictures() + "/a.jpg")) << "No changes nothing";
    mainWindow->Commands().SetPopupTarget(ThumbnailPage::Target(*Page->Panels().at(0)));
    dialogs.AnswerYes(true);
    mainWindow->findChild<QAction*>(QStringLiteral("HidePopup"))->trigger();
    WaitForPage();
    EXPECT_EQ(Said(), QStringLiteral("このファイルを隠しますか？（復活できます）a.jpg"));
    EXPECT_EQ(Tree(Pictures()), "a.jpg.HID b.jpg c.jpg");
    EXPECT_EQ(Tree(Cache()), "T_a.TXT.HID T_a.jpg.HID T_b.TXT T_b.jpg T_c.TXT T_c.jpg");
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("2/2"));
    Ui().showAgainButton->click();
    WaitForPage();
    EXPECT_EQ(Tree(Pictures()), "a.jpg b.jpg c.jpg");
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("3/3"));
    // Page 1 was built again: a fresh thumbnail beside the hidden one.
    EXPECT_EQ(Tree(Cache()), "T_a.TXT T_a.TXT.HID T_a.jpg T_a.jpg.HID T_b.TXT T_b.jpg T_c.TXT "
                             "T_c.jpg");
}

TEST_F(HideDelete, BulkHideAsksNothingAndLeavesTheCache) {
    dialogs.AnswerOk();
    Ui().hideButton->click();
    EXPECT_EQ(Said(), QStringLiteral("選択された画像がありません"));
    mainWindow->Commands().SelectAllPictures();
    Ui().hideButton->click();
    WaitForPage();
    EXPECT_EQ(Tree(Pictures()), "a.jpg.HID b.jpg.HID c.jpg.HID");
    EXPECT_EQ(Tree(Cache()), "T_a.TXT T_a.jpg T_b.TXT T_b.jpg T_c.TXT T_c.jpg");
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("0/0"));
    EXPECT_EQ(Page->Controls().pageLabel->text(), QStringLiteral("/0"))
        << "no pages left to choose";
    EXPECT_EQ(Page->Controls().pageCombo->count(), 0);
    EXPECT_TRUE(model->Selected().empty());
    Ui().showAgainButton->click();
    WaitForPage();
    dialogs.AnswerOk();
    Ui().showAgainButton->click();
    EXPECT_EQ(Said(), QStringLiteral("隠した画像はありません"));
}

// Deleted for good (No changes nothing, but the tables are built again), or to the trash.
TEST_F(HideDelete, DeleteForGoodOrToTheTrashWhichMaySayWhyItRefuses) {
    mainWindow->Commands().SelectAllPictures();
    mainWindow->Commands().SetPopupTarget(ThumbnailPage::Target(*Page->Panels().at(0)));
    dialogs.AnswerYes(false);
    mainWindow->findChild<QAction*>(QStringLiteral("DeletePopup"))->trigger();
    WaitForPage();
    EXPECT_EQ(Said(), QStringLiteral("このファイルを削除しますか？（復活できません！）:  a.jpg"));
    EXPECT_EQ(Tree(Pictures()), "a.jpg b.jpg c.jpg");
    EXPECT_TRUE(model->Selected().empty()) << "rebuilt after No too";
    mainWindow->Commands().SetPopupTarget(ThumbnailPage::Target(*Page->Panels().at(0)));
    dialogs.AnswerYes(true);
    mainWindow->findChild<QAction*>(QStringLiteral("DeletePopup"))->trigger();
    WaitForPage();
    EXPECT_EQ(Tree(Pictures()), "b.jpg c.jpg");
    EXPECT_EQ(Tree(Cache()), "T_b.TXT T_b.jpg T_c.TXT T_c.jpg");
    EXPECT_EQ(Ui().countLabel->text(), QStringLiteral("2/2"));

    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir / "data"));
    Ui().deleteToTrashAction->trigger();
    mainWindow->Commands().SetPopupTarget(ThumbnailPage::Target(*Page->Panels().at(0)));
    dialogs.AnswerYes(true);
    mainWindow->findChild<QAction*>(QStringLiteral("DeletePopup"))->trigger();
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Said(), QStringLiteral("このファイルをごみ箱に移動しますか？:  b.jpg"));
    EXPECT_EQ(Tree(dir / "data/Trash/files"), "b.jpg");
    EXPECT_EQ(Tree(Cache()), "T_c.TXT T_c.jpg");
    WaitForPage();
    mainWindow->Files().SetTrash(
        [](const std::string&) { return FileResult::Fail("容量が足りません"); });
    for (const bool forGood : {false, true}) {
        mainWindow->Commands().SetPopupTarget(ThumbnailPage::Target(*Page->Panels().at(0)));
        dialogs.AnswerYes(true);
        dialogs.AnswerYes(forGood);
        mainWindow->findChild<QAction*>(QStringLiteral("DeletePopup"))->trigger();
        WaitForPage();
        EXPECT_EQ(Said(),
                  QStringLiteral("ごみ箱に移動できませんでした（c.jpg: 容量が足りません）。\n"
                                 "完全に削除しますか？（復活できません！）"));
        EXPECT_EQ(fs::exists(Pictures() + "/c.jpg"), !forGood);
    }
    mainWindow->close();
    EXPECT_EQ(IniFile(Ini()).ReadString("Option", "DeleteToTrash", ""), "1");
}

// Another cache place: cancelled or unwritable, nothing changes; taken, it is kept across a
// restart and keeps its files when left. The cache root is deleted to the trash.
TEST_F(HideDelete, OtherCachePlaceIsCheckedAndKeptAcrossARestart) {
    dialogs.AnswerPath(std::nullopt);
    mainWindow->Cache().CacheElsewhere();
    dialogs.AnswerPath(dir / "no/such/folder");
    dialogs.AnswerOk();
    mainWindow->Cache().CacheElsewhere();
    EXPECT_TRUE(Said().startsWith(QStringLiteral("このフォルダには書き込めません")));
    EXPECT_EQ(model->Places().ThumbDir(), AppDir());
    EXPECT_TRUE(Ui().cacheBesidePicturesAction->isChecked());
    const std::string other = dir / "elsewhere";
    fs::create_directories(other);
    dialogs.AnswerPath(other);
    dialogs.AnswerYes(true);
    mainWindow->Cache().CacheElsewhere();
    EXPECT_EQ(Said(),
              QString::fromStdString("サムネイルを<" + other + ">に保管します。よろしいですか？"));
    EXPECT_EQ(model->Places().ThumbDir(), other);
    EXPECT_TRUE(Ui().cacheElsewhereAction->isChecked());
    mainWindow->UpdateTable();
    WaitForPage();
    EXPECT_TRUE(fs::exists(other + "/@KameluneDir/" + CacheSubNameOf(Pictures()) + "/T_a.jpg"));
    mainWindow->close();
    DestroyWindows();
    Start({}, false);
    EXPECT_EQ(model->Places().ThumbDir(), other);
    EXPECT_TRUE(Ui().cacheElsewhereAction->isChecked());
    mainWindow->Cache().CacheBesidePictures();
    EXPECT_EQ(model->Places().ThumbDir(), AppDir());
    EXPECT_TRUE(fs::exists(other + "/@KameluneDir")) << "the other place keeps its files";
    // The cache root goes to the trash, the pictures stay.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir / "data"));
    dialogs.AnswerYes(true);
    mainWindow->Cache().DeleteCacheFolders();
    qunsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(fs::exists(AppDir() + "/@KameluneDir"));
    EXPECT_NE(Tree(dir / "data/Trash/files/@KameluneDir").find("/T_a.jpg"), std::string::npos);
    EXPECT_EQ(Tree(Pictures()), "a.jpg b.jpg c.jpg");
}

} // namespace kamelune::test
