// A folder the program may not change: every command that would change it fails with its message
// and nothing is reported done. The folder is made immutable (root ignores plain permissions);
// where the file system cannot do that the test is skipped.
#include "support/MainWindowFixture.h"

namespace kamelune::test {

class ReadOnlyFolder : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* n : {"a.jpg", "b.jpg", "c.jpg"})
            fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/" + n);
        StartIn(Pictures());
        locked_ = std::system(("chattr +i '" + Pictures() + "' 2>/dev/null").c_str()) == 0;
        if (!locked_) GTEST_SKIP() << "cannot make the folder read-only here";
    }
    void TearDown() override {
        if (locked_) std::system(("chattr -i '" + Pictures() + "'").c_str());
        WindowTest::TearDown();
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(Pictures()))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    bool locked_ = false;
};

TEST_F(ReadOnlyFolder, EveryChangeFailsWithItsMessage) {
    const auto before = Files();
    mainWindow->Commands().SelectAllPictures();
    dialogs.AnswerOk();
    Ui().hideButton->click();
    WaitForPage();
    EXPECT_TRUE(Said().startsWith(QStringLiteral("次のファイルを変更できませんでした")));

    Table().exifGrid->selectRow(0);
    dialogs.AnswerYes(true);
    dialogs.AnswerOk();
    mainWindow->findChild<QAction*>(QStringLiteral("HidePopup"))->trigger();
    WaitForPage();
    EXPECT_TRUE(Said().contains(QStringLiteral("a.jpg")));

    Table().exifGrid->selectRow(1);
    dialogs.AnswerYes(true);
    dialogs.AnswerOk();
    mainWindow->findChild<QAction*>(QStringLiteral("DeletePopup"))->trigger();
    WaitForPage();
    EXPECT_TRUE(Said().startsWith(QStringLiteral("次のファイルを変更できませんでした")));

    mainWindow->Commands().SelectAllPictures();
    batchRename->FillControls();
    batchRename->Controls().prefixEdit->setText(QStringLiteral("x"));
    batchRename->Controls().prefixCheck->setChecked(true);
    batchRename->PreviewNames();
    dialogs.AnswerYes(false); // the first failure ends the run
    dialogs.AnswerOk();
    batchRename->RenameListed();
    WaitForPage();
    EXPECT_EQ(Said(), QStringLiteral("0個のファイル名を変換しました。"));

    mainWindow->Commands().SelectAllPictures();
    albumSettings->Controls().openAfterCheck->setChecked(false);
    MakeHtml(*albumSettings, Pictures() + "/album.html");
    EXPECT_TRUE(Said().startsWith(QStringLiteral("作成できなかったファイルがあります")));

    dialogs.AnswerPath(Pictures() + "/exif.txt");
    dialogs.AnswerOk();
    Table().tabWideButton->click();
    EXPECT_EQ(dialogs.Calls().back().kind, DialogCall::Warning);

    for (const DialogCall& call : dialogs.Calls())
        EXPECT_FALSE(call.text.contains(QStringLiteral("が作成されました")))
            << call.text.toStdString();
    EXPECT_EQ(Files(), before) << "nothing changed, nothing lost";
}

} // namespace kamelune::test
