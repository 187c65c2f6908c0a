// The sort dialog and the rename dialogs in the running program (offscreen).
#include "support/MainWindowFixture.h"

namespace kamelune {
namespace {

using namespace test;

class SortRename : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        // Exposure times 1/350 (canon-ixus), 1/30 (kodak), 1/345 (olympus), 1/30 (kodak-dc240).
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/a.jpg");
        fs::copy_file(kSamples / "exif-org/kodak-dc210.jpg", Pictures() + "/b.jpg");
        fs::copy_file(kSamples / "exif-org/olympus-c960.jpg", Pictures() + "/c.jpg");
        fs::copy_file(kSamples / "exif-org/kodak-dc240.jpg", Pictures() + "/d.jpg");
        StartIn(Pictures());
    }
    std::vector<std::string> ViewNames() const {
        std::vector<std::string> out;
        for (int r = 1; r < model->gridExif.RowCount(); ++r)
            out.push_back(model->gridExif.Cell(2, r));
        return out;
    }
};

TEST_F(SortRename, KeysAreNumberedAndAFifthIsRefused) {
    FormSort->InitSort();
    for (int row : {18, 3, 4, 19})
        FormSort->StrGridSortClick(row);
    EXPECT_EQ(model->gSortWorkList, (std::vector<int>{18, 3, 4, 19}));
    dialogs.AnswerOk();
    FormSort->StrGridSortClick(10);
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("既に4項目選択されています"));
    EXPECT_EQ(model->gSortWorkList.size(), 4u);
    FormSort->StrGridSortClick(3); // key 2 of four out: keys 3 and 4 move up
    EXPECT_EQ(FormSort->StrGridSort.Cell(1, 4), "2");
    EXPECT_EQ(FormSort->StrGridSort.Cell(1, 19), "3");
    EXPECT_EQ(FormSort->StrGridSort.Cell(1, 3), "");
    EXPECT_EQ(FormSort->StrGridSort.Cell(2, 18), "露光");
    EXPECT_EQ(FormSort->StrGridSort.Cell(3, 1), "a.jpg") << "examples from the first EXIF picture";
    FormSort->BtnClearClick();
    EXPECT_TRUE(model->gSortWorkList.empty());
    EXPECT_EQ(FormSort->StrGridSort.Cell(1, 4), "");
}

TEST_F(SortRename, SortReordersTheViewAndClearRestoresIt) {
    FormSort->InitSort();
    FormSort->StrGridSortClick(18);
    FormSort->StrGridSortClick(1);
    FormSort->BtnGoSortClick();
    EXPECT_EQ(ViewNames(), (std::vector<std::string>{"b.jpg", "d.jpg", "c.jpg", "a.jpg"}))
        << "1/30 (two, by name), 1/345, 1/350";
    EXPECT_EQ(model->gRowOrderList, (std::vector<int>{2, 4, 3, 1}));
    FormMain->SelectAllClick();
    EXPECT_EQ(model->gSelectList.front(), 2) << "select all follows the sorted view";
    FormSort->BtnClearClick();
    FormSort->BtnGoSortClick();
    EXPECT_EQ(ViewNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
}

TEST_F(SortRename, BatchRenameComputesExecutesAndRereads) {
    model->gItemList = {4, 10};
    for (int r : {1, 2, 3})
        FormMain->Selection(1, r);
    FormRename->FormShow();
    EXPECT_EQ(FormRename->CmbBoxKomoku1->currentText(), QStringLiteral("機種"));
    EXPECT_EQ(FormRename->CmbBoxKomoku2->currentText(), QStringLiteral("なし"));
    EXPECT_EQ(FormRename->CmbBoxKomoku2->count(), 3);
    FormRename->CmbBoxKomoku1->setCurrentIndex(2); // なし
    FormRename->EditAtama->setText(QStringLiteral("trip"));
    FormRename->ChkBoxAtama->setChecked(true);
    FormRename->SpeedBtnKakuninClick();
    EXPECT_EQ(FormRename->StrGridFname.Cell(3, 1), "trip_0001.JPG");
    EXPECT_EQ(FormRename->StrGridFname.Cell(3, 3), "trip_0003.JPG");
    FormRename->StrGridFname.SetCell(3, 2, "d.jpg"); // edited by hand onto an existing name
    const std::string cache = AppDir() + "/@KameluneDir/" + SetCacheSubName(Pictures());
    fs::create_directories(cache);
    TempDir::Write(cache + "/T_a.jpg", "t");
    dialogs.AnswerYes(true);
    dialogs.AnswerOk();
    FormRename->SpeedBtnJikoClick();
    WaitForPage();
    const auto& calls = dialogs.Calls();
    EXPECT_EQ(calls[calls.size() - 2].text,
              QStringLiteral("変換に失敗しました。続けますか? b.jpg"));
    EXPECT_EQ(calls.back().text, QStringLiteral("2個のファイル名を変換しました。"));
    EXPECT_TRUE(fs::exists(Pictures() + "/trip_0001.JPG"));
    EXPECT_TRUE(fs::exists(Pictures() + "/b.jpg"));
    EXPECT_TRUE(fs::exists(Pictures() + "/trip_0003.JPG"));
    EXPECT_EQ(TempDir::Read(cache + "/T_trip_0001.JPG"), "t")
        << "the thumbnail followed its picture";
    EXPECT_EQ(ViewNames(),
              (std::vector<std::string>{"b.jpg", "d.jpg", "trip_0001.JPG", "trip_0003.JPG"}));
    EXPECT_TRUE(model->gSelectList.empty());
}

TEST_F(SortRename, SingleRename) {
    FormRename2->Tag = 2;
    FormRename2->FormShow();
    EXPECT_EQ(FormRename2->LabelOldFname->text(), QStringLiteral("b.jpg"));
    FormRename2->SpeedBtnHenkanClick(); // unchanged: nothing
    EXPECT_TRUE(fs::exists(Pictures() + "/b.jpg"));
    FormRename2->EditNewFname->setText(QStringLiteral("c.jpg"));
    dialogs.AnswerOk();
    FormRename2->SpeedBtnHenkanClick();
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("ファイル名変換に失敗しました"));
    EXPECT_TRUE(fs::exists(Pictures() + "/b.jpg"));
    FormRename2->FormShow();
    FormRename2->EditNewFname->setText(QStringLiteral("kodak.jpg"));
    FormRename2->SpeedBtnHenkanClick();
    WaitForPage();
    EXPECT_TRUE(fs::exists(Pictures() + "/kodak.jpg"));
    EXPECT_EQ(model->gridBase.Cell(2, 4), "kodak.jpg");
}

} // namespace
} // namespace kamelune
