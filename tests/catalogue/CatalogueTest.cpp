// Item catalogue, item selection grid and item number lists.
#include "catalogue/BaseTable.h"
#include "catalogue/SetKomoku.h"

#include <gtest/gtest.h>

namespace kamelune {
namespace {

TEST(Catalogue, TextsOfChosenItems) {
    const struct {
        int k;
        const char *longName, *heading, *title;
    } cases[] = {
        {1, " 1) [FileName]", "", "[Filename]"},
        {9, " 9) Software", "ｿﾌﾄ", "Software"},
        {10, "10) DateTime", "日", "DateTime"},
        {27, "27) ShutterSpeed", "Shutter", "ShutterSPeed"},
        {34, "34) WhiteBalance", "ＷＢ", "LightSource"},
        {44, "44) InterOpeOffset", "IntOpe.Off", "InterOperabilityOffset"},
        {54, "54) [FileSize]", "[ﾌｧｲﾙｻｲｽﾞ]", "[FileSize]"},
        {70, "70) [Convereter(E990)]", "Cnvrter", "[Convereter(E990)]"},
        {75, "75) [Contrast(E10)]", "Contrast", "[Contrast(E10)]"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(CatalogueItemOf(c.k).longName, c.longName);
        EXPECT_STREQ(CatalogueItemOf(c.k).heading, c.heading);
        EXPECT_STREQ(CatalogueItemOf(c.k).gridTitle, c.title);
    }
    // Long names carry their own number, right-aligned in two characters.
    for (int k = 1; k <= 75; ++k) {
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%2d) ", k);
        EXPECT_EQ(std::string(CatalogueItemOf(k).longName).substr(0, 4), prefix) << k;
    }
}

TEST(Catalogue, ItemNumbersAcceptLeadingBlanks) {
    EXPECT_EQ(ItemNumber("  5"), 5);
    EXPECT_EQ(ItemNumber(" 5"), 5);
    EXPECT_EQ(ItemNumber("5"), 5);
    EXPECT_EQ(ItemNumber(" 75 "), 75);
    EXPECT_EQ(ItemNumber(""), 0);
    EXPECT_EQ(ItemNumber("x"), 0);
    EXPECT_EQ(ItemNumberText(5), "  5");
}

TEST(ItemGrid, ShapeTitlesAndDefaults) {
    StringGrid g(1, 1);
    SetupPKomokuGrid(g);
    SetDefaultHeadings(g);
    EXPECT_EQ(g.RowCount(), 76);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.Cell(2, 0), "見出し(編集可)");
    EXPECT_EQ(g.ColWidth(3), 120);
    EXPECT_EQ(g.Cell(0, 1), " 1) [FileName]");
    EXPECT_EQ(g.Cell(2, 1), "");
    EXPECT_EQ(g.Cell(2, 4), "機種");
    g.SetCell(1, 2, "5");
    g.SetCell(1, 50, "10");
    SetDefaultKomoku(g);
    EXPECT_EQ(g.Cell(1, 2), "") << "rows up to 36 are cleared";
    EXPECT_EQ(g.Cell(1, 50), "10") << "rows from 37 are left alone";
    std::vector<std::string> list;
    GridToItemList(g, list);
    EXPECT_EQ(list, (std::vector<std::string>{"  4", " 18", " 19", " 21", " 30", " 33", " 34",
                                              " 35", " 36", " 50"}));
}

TEST(ItemGrid, ListFollowsOrderNumbers) {
    StringGrid g(1, 1);
    SetupPKomokuGrid(g);
    g.SetCell(1, 3, "1");
    g.SetCell(1, 22, "2");
    g.SetCell(1, 10, "3");
    std::vector<std::string> list{"stale"};
    GridToItemList(g, list);
    EXPECT_EQ(list, (std::vector<std::string>{"  3", " 22", " 10"}));
    g.SetCell(1, 3, "10");
    GridToItemList(g, list);
    EXPECT_EQ(list, (std::vector<std::string>{" 22", " 10", "  3"})) << "2 sorts before 10";
}

TEST(ItemGrid, SamplesComeFromTheFirstExifPicture) {
    StringGrid base(kBaseCols, 1);
    SetStrGridTitle(base, 5);
    for (int r = 1; r <= 4; ++r) {
        base.SetCell(2, r, "p" + std::to_string(r) + ".jpg");
        base.SetCell(kTypeCol, r, r == 4 ? "EXIF" : "JFIF");
        base.SetCell(5, r, "model" + std::to_string(r));
    }
    StringGrid g(1, 1);
    SetupPKomokuGrid(g);
    FillSampleColumn(g, base);
    EXPECT_EQ(g.Cell(3, 1), "p4.jpg");
    EXPECT_EQ(g.Cell(3, 4), "model4");
    base.SetCell(kTypeCol, 4, "JPEG");
    FillSampleColumn(g, base);
    EXPECT_EQ(g.Cell(3, 1), "p1.jpg") << "no EXIF picture: row 1";
}

} // namespace
} // namespace kamelune
