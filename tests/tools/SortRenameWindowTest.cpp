// The sort dialog and the rename dialogs in the running program (offscreen).
#include "support/MainWindowFixture.h"

namespace kamelune::test {

class SortRename : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        FourExposureTimes();
        StartIn(Pictures());
    }
    std::vector<std::string> ViewNames() const {
        std::vector<std::string> out;
        for (int r = 1; r < model->View().RowCount(); ++r)
            out.emplace_back(model->View().Cell(2, r));
        return out;
    }
};

// Keys are numbered as clicked and a fifth is refused; the sort reorders the view, and clearing the
// keys gives the folder's order back.
TEST_F(SortRename, SortKeysReorderTheViewAndClearRestoresIt) {
    sortDialog->ResetSortLines();
    for (int row : {18, 3, 4, 19})
        sortDialog->SortLineClicked(row);
    EXPECT_EQ(model->SortKeys(), (std::vector<int>{18, 3, 4, 19}));
    dialogs.AnswerOk();
    sortDialog->SortLineClicked(10);
    EXPECT_EQ(Said(), QStringLiteral("既に4項目選択されています"));
    EXPECT_EQ(model->SortKeys().size(), 4u);
    EXPECT_EQ(sortDialog->Controls().sortGrid.Cell(2, 18), "露光");
    EXPECT_EQ(sortDialog->Controls().sortGrid.Cell(3, 1), "a.jpg")
        << "examples from the first EXIF picture";
    sortDialog->ClearChoices();
    EXPECT_TRUE(model->SortKeys().empty());
    EXPECT_EQ(sortDialog->Controls().sortGrid.Cell(1, 4), "");
    sortDialog->SortLineClicked(18);
    sortDialog->SortLineClicked(1);
    sortDialog->SortNow();
    WaitWhile([this] { return sortDialog->Sorting(); });
    EXPECT_EQ(ViewNames(), (std::vector<std::string>{"b.jpg", "d.jpg", "c.jpg", "a.jpg"}))
        << "1/30 (two, by name), 1/345, 1/350";
    EXPECT_EQ(model->RowOrder(), (std::vector<int>{2, 4, 3, 1}));
    mainWindow->Commands().SelectAllPictures();
    EXPECT_EQ(model->Selected().front(), 2) << "select all follows the sorted view";
    sortDialog->ClearChoices();
    sortDialog->SortNow();
    WaitWhile([this] { return sortDialog->Sorting(); });
    EXPECT_EQ(ViewNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));

    // A sort still running when the folder is read again is of the old tables: dropped.
    sortDialog->SortLineClicked(18);
    sortDialog->SortNow();
    mainWindow->findChild<QAction*>(QStringLiteral("Reread"))->trigger();
    ASSERT_TRUE(model->Reader().Reading());
    WaitWhile([this] { return sortDialog->Sorting() || model->Reader().Reading(); });
    WaitForPage();
    EXPECT_TRUE(model->RowOrder().empty());
    EXPECT_EQ(ViewNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
}

TEST_F(SortRename, BatchAndSingleRenamesExecuteAndReread) {
    model->SetChosenItems({4, 10});
    Select({1, 2, 3});
    batchRename->FillControls();
    EXPECT_EQ(batchRename->Controls().firstItemCombo->currentText(), QStringLiteral("機種"));
    EXPECT_EQ(batchRename->Controls().secondItemCombo->currentText(), QStringLiteral("なし"));
    EXPECT_EQ(batchRename->Controls().secondItemCombo->count(), 3);
    batchRename->Controls().firstItemCombo->setCurrentIndex(2); // なし
    batchRename->Controls().prefixEdit->setText(QStringLiteral("trip"));
    batchRename->Controls().prefixCheck->setChecked(true);
    batchRename->PreviewNames();
    EXPECT_EQ(batchRename->Controls().nameGrid.Cell(3, 1), "trip_0001.JPG");
    EXPECT_EQ(batchRename->Controls().nameGrid.Cell(3, 3), "trip_0003.JPG");
    TypeIntoCell(batchRename->Controls().nameView, 3, 2,
                 QStringLiteral("d.jpg")); // edited by hand onto an existing name
    const std::string cache = AppDir() + "/@KameluneDir/" + CacheSubNameOf(Pictures());
    fs::create_directories(cache);
    TempDir::Write(cache + "/T_a.jpg", "t");
    dialogs.AnswerYes(true);
    dialogs.AnswerOk();
    batchRename->RenameListed();
    WaitForPage();
    const auto& calls = dialogs.Calls();
    EXPECT_EQ(calls[calls.size() - 2].text, QStringLiteral("変換に失敗しました。続けますか? b.jpg\n"
                                                           "同じ名前のファイルがあります: d.jpg"));
    EXPECT_EQ(calls.back().text, QStringLiteral("2個のファイル名を変換しました。"));
    EXPECT_EQ(Tree(Pictures()), "b.jpg d.jpg trip_0001.JPG trip_0003.JPG");
    EXPECT_EQ(TempDir::Read(cache + "/T_trip_0001.JPG"), "t")
        << "the thumbnail followed its picture";
    EXPECT_EQ(ViewNames(),
              (std::vector<std::string>{"b.jpg", "d.jpg", "trip_0001.JPG", "trip_0003.JPG"}));
    EXPECT_TRUE(model->Selected().empty());

    // One picture renamed: unchanged, nothing; onto another picture, refused; else done.
    windows->singleRename->SetPicture(1);
    windows->singleRename->FillControls();
    EXPECT_EQ(windows->singleRename->Controls().oldNameLabel->text(), QStringLiteral("b.jpg"));
    windows->singleRename->RenameNow();
    windows->singleRename->Controls().newNameEdit->setText(QStringLiteral("d.jpg"));
    dialogs.AnswerOk();
    windows->singleRename->RenameNow();
    EXPECT_EQ(Said(),
              QStringLiteral("ファイル名変換に失敗しました\n同じ名前のファイルがあります: d.jpg"));
    EXPECT_EQ(Tree(Pictures()), "b.jpg d.jpg trip_0001.JPG trip_0003.JPG");
    windows->singleRename->FillControls();
    windows->singleRename->Controls().newNameEdit->setText(QStringLiteral("kodak.jpg"));
    windows->singleRename->RenameNow();
    WaitForPage();
    EXPECT_EQ(ViewNames(),
              (std::vector<std::string>{"d.jpg", "kodak.jpg", "trip_0001.JPG", "trip_0003.JPG"}));

    // A name that is not UTF-8 beside the UTF-8 of U+FFFD, the way it is shown: the one renamed is
    // the picture of the row, by its own name.
    TempDir::Write(Pictures() + "/C\xff.jpg", "not UTF-8");
    TempDir::Write(Pictures() + "/C\xef\xbf\xbd.jpg", "U+FFFD");
    mainWindow->UpdateTable();
    WaitForPage();
    int row = 1;
    while (row < model->Base().RowCount() && model->Base().Cell(kNameCol, row) != "C\xff.jpg")
        ++row;
    ASSERT_LT(row, model->Base().RowCount());
    windows->singleRename->SetPicture(row);
    windows->singleRename->FillControls();
    windows->singleRename->RenameNow(); // unchanged as shown: nothing
    EXPECT_TRUE(fs::exists(Pictures() + "/C\xff.jpg"));
    windows->singleRename->Controls().newNameEdit->setText(QStringLiteral("Renamed.jpg"));
    windows->singleRename->RenameNow();
    WaitForPage();
    EXPECT_EQ(TempDir::Read(Pictures() + "/Renamed.jpg"), "not UTF-8");
    EXPECT_EQ(TempDir::Read(Pictures() + "/C\xef\xbf\xbd.jpg"), "U+FFFD");
}

// The items of today's cameras: the option adds them to the catalogue and the tables, an item
// sorts and renames as any other, the option and a layout naming them come back at the next start.
using ModernItems = WindowTest;

TEST_F(ModernItems, ChosenSortedRenamedAndRemembered) {
    for (const char* name : {"DSCN0010.jpg", "DSCN0012.jpg", "DSCN0021.jpg"})
        fs::copy_file(kSamples / "gps" / name, Pictures() + "/" + name);
    StartIn(Pictures());
    EXPECT_EQ(model->Base().ColCount(), kBaseCols);
    Ui().modernItemsAction->trigger();
    WaitForPage();
    ASSERT_EQ(model->Base().ColCount(), kAllItemCount + 2);
    EXPECT_EQ(model->Items().Cell(0, 79), "79) FocalLen.35mm");
    EXPECT_TRUE(mainWindow->findChild<QAction*>(QStringLiteral("openMapAction"))->isVisible());
    EXPECT_EQ(model->Base().Cell(ItemCol(kItemGpsLatitude), 1), "43.467448");
    EXPECT_EQ(MapUrl(model->Base(), 1), "https://www.openstreetmap.org/?mlat=43.467448&mlon="
                                        "11.885127#map=16/43.467448/11.885127");

    // Chosen as the item dialog chooses: the model, FocalLengthIn35mmFilm.
    StringGrid items = model->Items();
    for (int r = 1; r <= kAllItemCount; ++r)
        items.SetCell(1, r, "");
    items.SetCell(1, 4, "1");
    items.SetCell(1, 79, "2");
    ItemList chosen;
    GridToItemList(items, chosen);
    model->SetItemCatalogue(items, chosen);
    model->ChooseItems(chosen);
    EXPECT_EQ(View().Cell(4, 1), "112.0mm");
    // Latitudes 43.467448, 43.467157, 43.467082: the sort turns the order round.
    model->SetSortKeys({kItemGpsLatitude});
    sortDialog->SortNow();
    WaitWhile([this] { return sortDialog->Sorting(); });
    EXPECT_EQ(model->RowOrder(), (std::vector<int>{3, 2, 1}));
    mainWindow->Commands().SelectionCellClicked(1, 1);
    batchRename->FillControls();
    batchRename->Controls().firstItemCombo->setCurrentIndex(1); // 35mm換算
    batchRename->PreviewNames();
    EXPECT_EQ(batchRename->Controls().nameGrid.Cell(3, 1), "77.JPG") << "77.0mm, cut at its dot";

    // The option and the layout come back at the next start.
    dialogs.AnswerPath(AppDir() + "/Default.pkm");
    ASSERT_TRUE(itemChoice->SaveItemFile(QStringLiteral("保存"), QStringLiteral("x")));
    mainWindow->close();
    EXPECT_EQ(IniFile(Ini()).ReadString("Option", "ModernItems", ""), "1");
    DestroyWindows();
    CreateWindows({AppDir(), Ini()});
    EXPECT_TRUE(Ui().modernItemsAction->isChecked());
    EXPECT_EQ(model->ChosenItems(), (ItemList{4, 79}));
    EXPECT_EQ(model->Base().ColCount(), kAllItemCount + 2);
    // A layout that names them turns the option on by itself.
    mainWindow->close();
    DestroyWindows();
    TempDir::Write(Ini(), "[Dir]\r\nDir=" + Pictures() + "\r\n");
    CreateWindows({AppDir(), Ini()});
    EXPECT_TRUE(Ui().modernItemsAction->isChecked());
    EXPECT_EQ(model->Base().ColCount(), kAllItemCount + 2);

    // Off again: the catalogue and the tables as they always were.
    Ui().modernItemsAction->trigger();
    WaitForPage();
    EXPECT_EQ(model->Base().ColCount(), kBaseCols);
    EXPECT_EQ(model->ChosenItems(), (ItemList{4}));
    EXPECT_EQ(model->Items().RowCount(), kItemRows);
}

} // namespace kamelune::test
