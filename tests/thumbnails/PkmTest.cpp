// The ".pkm" file: lines, round trip, defaults and files that are not whole.
#include "support/Plain.h"

namespace kamelune::test {

StringGrid DefaultGrid() {
    StringGrid g(4, kItemRows);
    SetUpItemGrid(g);
    SetDefaultHeadings(g);
    ChooseDefaultItems(g);
    return g;
}

// The built-in choice (nine items, F値 and ﾌﾗｯｼｭ emphasised) as the program ships it.
TEST(Pkm, TheBuiltInFileIsTheGoldenOne) {
    TempDir dir;
    const std::vector<std::string> lines = BuiltInPkmLines();
    EXPECT_TRUE(CheckPkmLines(lines));
    ASSERT_TRUE(WriteTextLines(dir / "Default.pkm", lines));
    EXPECT_EQ(TempDir::Read(dir / "Default.pkm"), TempDir::Read(KAMELUNE_TEST_DATA "/Default.pkm"));
    StringGrid g = DefaultGrid();
    ItemList items;
    GridToItemList(g, items);
    EXPECT_EQ(EmphasisCandidates(items, g).at(2), "19) F Number");
}

// Today's items (76-95) follow the rest as 20 order lines and 20 heading lines; a catalogue
// without them neither writes nor reads them, and a file without them leaves them unchosen.
TEST(Pkm, TodaysItemsAfterTheRest) {
    StringGrid modern(4, kItemRows);
    SetUpItemGrid(modern, kAllItemCount);
    SetDefaultHeadings(modern);
    modern.SetCell(1, 4, "1");
    modern.SetCell(1, kItemGpsLatitude, "2");
    modern.SetCell(2, kItemGpsLatitude, "緯度");
    const std::vector<std::string> lines = MakePkmLines(modern, DisplayAttributes{});
    ASSERT_EQ(lines.size(), 161u + 40u) << "no emphasis entries, then 20 + 20";
    EXPECT_EQ(lines[161 + kItemGpsLatitude - 76], "2");
    EXPECT_EQ(lines[181 + kItemGpsLatitude - 76], "緯度");
    EXPECT_TRUE(CheckPkmLines(lines));
    EXPECT_TRUE(PkmNamesModernItems(lines));

    StringGrid back(4, kItemRows);
    SetUpItemGrid(back, kAllItemCount);
    ReadItemGrid(lines, back);
    EXPECT_EQ(back.Cell(1, kItemGpsLatitude), "2");
    EXPECT_EQ(back.Cell(2, kItemGpsLatitude), "緯度");
    StringGrid old(4, kItemRows);
    SetUpItemGrid(old);
    ReadItemGrid(lines, old);
    EXPECT_EQ(old.RowCount(), kItemRows) << "a catalogue without today's items stays so";
    EXPECT_EQ(old.Cell(1, 4), "1");

    std::vector<std::string> without(lines.begin(), lines.begin() + 161);
    EXPECT_FALSE(PkmNamesModernItems(without));
    back.SetCell(1, 80, "3");
    ReadItemGrid(without, back);
    EXPECT_EQ(back.Cell(1, 80), "") << "a file without them leaves them unchosen";
    std::vector<std::string> unnamed = lines;
    unnamed[161 + kItemGpsLatitude - 76] = "";
    EXPECT_FALSE(PkmNamesModernItems(unnamed)) << "headings alone choose nothing";
    std::vector<std::string> bad = lines;
    bad[161] = "x";
    EXPECT_FALSE(CheckPkmLines(bad)) << "an order line of today's items";
}

TEST(Pkm, RoundTripThroughAFileIsByteExact) {
    TempDir dir;
    StringGrid g = DefaultGrid();
    g.SetCell(2, 4, "カメラ");
    ItemList items;
    GridToItemList(g, items);
    DisplayAttributes a;
    SetDefaultDisplay(a, EmphasisCandidates(items, g));
    a.panelColor = 0xFF000080; // high bit: written negative
    a.textSizeIndex = 3;
    a.transparent = true;
    ASSERT_TRUE(WriteTextLines(dir / "a.pkm", MakePkmLines(g, a)));
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir / "a.pkm", lines));
    EXPECT_EQ(lines[160], "-16777088");
    ASSERT_TRUE(CheckPkmLines(lines));
    StringGrid g2(4, kItemRows);
    SetUpItemGrid(g2);
    ReadItemGrid(lines, g2);
    ItemList items2;
    GridToItemList(g2, items2);
    DisplayAttributes b;
    ReadItemFileAttributes(lines, EmphasisCandidates(items2, g2), b);
    EXPECT_EQ(items2, items);
    EXPECT_EQ(b.panelColor, 0xFF000080u);
    EXPECT_EQ(b.textSizeIndex, 3);
    EXPECT_EQ(b.FontHeight(), 14);
    EXPECT_TRUE(b.transparent);
    EXPECT_EQ(b.emphasisChecked, a.emphasisChecked);
    ASSERT_TRUE(WriteTextLines(dir / "b.pkm", MakePkmLines(g2, b)));
    EXPECT_EQ(TempDir::Read(dir / "b.pkm"), TempDir::Read(dir / "a.pkm"));
}

TEST(Pkm, EmphasisLinesCountOnlyWhenExactlyOne) {
    StringGrid g = DefaultGrid();
    DisplayAttributes a;
    SetDefaultDisplay(a, std::vector<std::string>(3, "x"));
    auto lines = MakePkmLines(g, a);
    lines[151] = " 1";
    lines[152] = "1";
    lines[153] = "true";
    DisplayAttributes b;
    ReadItemFileAttributes(lines, {"a"}, b);
    EXPECT_EQ(b.emphasisChecked, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(b.emphasisNames, (std::vector<std::string>{"a", "", ""}));
}

} // namespace kamelune::test
