// Item catalogue, item selection grid and item number lists.
#include "support/Plain.h"

namespace kamelune::test {

TEST(ItemGrid, DefaultChoice) {
    StringGrid g(1, 1);
    SetUpItemGrid(g);
    SetDefaultHeadings(g);
    g.SetCell(1, 2, "5");
    g.SetCell(1, 50, "10");
    ChooseDefaultItems(g);
    EXPECT_EQ(g.Cell(1, 2), "") << "rows up to 36 are cleared";
    EXPECT_EQ(g.Cell(1, 50), "10") << "rows from 37 are left alone";
    ItemList list;
    GridToItemList(g, list);
    EXPECT_EQ(list, (std::vector<int>{4, 18, 19, 21, 30, 33, 34, 35, 36, 50}));
}

TEST(ItemGrid, ListFollowsOrderNumbers) {
    StringGrid g(1, 1);
    SetUpItemGrid(g);
    g.SetCell(1, 3, "1");
    g.SetCell(1, 22, "2");
    g.SetCell(1, 10, "3");
    ItemList list{99};
    GridToItemList(g, list);
    EXPECT_EQ(list, (std::vector<int>{3, 22, 10}));
    g.SetCell(1, 3, "10");
    GridToItemList(g, list);
    EXPECT_EQ(list, (std::vector<int>{22, 10, 3})) << "2 sorts before 10";
}

// Clicks on a numbered choice of at most three rows of seven; column 1 row by row, "." if empty.
TEST(ItemGrid, NumberedChoiceClicks) {
    StringGrid grid(2, 8);
    ItemList chosen;
    const struct {
        int row;
        bool taken;
        ItemList after;
        const char* column;
    } clicks[] = {
        {5, true, {5}, "....1.."},       {2, true, {5, 2}, ".2..1.."},
        {7, true, {5, 2, 7}, ".2..1.3"}, {3, false, {5, 2, 7}, ".2..1.3"}, // a fourth: refused
        {5, true, {2, 7}, ".1....2"}, // a chosen row leaves, the rest move up
        {3, true, {2, 7, 3}, ".13...2"},
    };
    for (const auto& c : clicks) {
        EXPECT_EQ(ToggleNumberedRow(grid, chosen, c.row, 3), c.taken) << c.row;
        EXPECT_EQ(chosen, c.after) << c.row;
        std::string column;
        for (int r = 1; r <= 7; ++r)
            column += grid.Cell(1, r).empty() ? "." : grid.Cell(1, r);
        EXPECT_EQ(column, c.column) << c.row;
    }
}

TEST(ItemGrid, SamplesComeFromTheFirstExifPicture) {
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, 5);
    for (int r = 1; r <= 4; ++r) {
        base.SetCell(2, r, "p" + std::to_string(r) + ".jpg");
        base.SetCell(kTypeCol, r, r == 4 ? "EXIF" : "JFIF");
        base.SetCell(5, r, "model" + std::to_string(r));
    }
    StringGrid g(1, 1);
    SetUpItemGrid(g);
    FillSampleColumn(g, base);
    EXPECT_EQ(g.Cell(3, 1), "p4.jpg");
    EXPECT_EQ(g.Cell(3, 4), "model4");
    base.SetCell(kTypeCol, 4, "JPEG");
    FillSampleColumn(g, base);
    EXPECT_EQ(g.Cell(3, 1), "p1.jpg") << "no EXIF picture: row 1";
}

} // namespace kamelune::test

namespace kamelune::test {

// The widths file: what is set comes back after a save, damaged lines and impossible widths are
// left out, and nothing is written while nothing changed.
TEST(ColumnWidths, KeptInTheirOwnFile) {
    TempDir dir;
    const std::string folder = dir / "state/kamelune";
    ColumnWidths widths(folder);
    ASSERT_TRUE(widths.Load()) << "no file yet is no error";
    ASSERT_TRUE(widths.Save());
    EXPECT_FALSE(fs::exists(folder)) << "nothing written without a change";
    widths.Set("Exif表", "機種", 150);
    widths.Set("Exif表", "F値", 0);
    widths.Set("Exif表", "a\tb", 90);
    widths.Set("Exif表", "ISO", ColumnWidths::kMaxWidth + 1);
    ASSERT_TRUE(widths.Save());
    EXPECT_EQ(TempDir::Read(folder + "/column-widths.txt"),
              "Exif\x95\x5c\t\x8b\x40\x8e\xed\t150\r\n")
        << "CP932 with CR LF";
    TempDir::Write(folder + "/column-widths.txt",
                   TempDir::Read(folder + "/column-widths.txt") + "broken line\r\nT\tH\t77\r\n");
    ColumnWidths again(folder);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.Width("Exif表", "機種"), 150);
    EXPECT_EQ(again.Width("T", "H"), 77);
    EXPECT_EQ(again.Width("Exif表", "F値"), std::nullopt);
    EXPECT_EQ(again.Width("T", "h"), std::nullopt);
    EXPECT_TRUE(ColumnWidths().Save()) << "a session's widths go nowhere";
}

} // namespace kamelune::test
