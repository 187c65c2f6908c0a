// Page arithmetic and caption texts (the panels' geometry is checked on the built page).
#include "thumbnails/PageLayout.h"
#include "catalogue/BaseTable.h"
#include "catalogue/SetKomoku.h"

#include <gtest/gtest.h>

namespace kamelune {
namespace {

TEST(PageArithmetic, PagesAndBounds) {
    EXPECT_EQ(PictsPerPage(16, Pane::AllItems), 16);
    EXPECT_EQ(PictsPerPage(12, Pane::Pictures), 24);
    EXPECT_EQ(PictsPerPage(12, Pane::FourItems), 24);
    const struct {
        int requested, rows, perPage;
        PageBounds expected;
    } cases[] = {
        {3, 37, 16, {3, 3, 32, 36}}, {1, 37, 16, {1, 3, 0, 15}},  {1, 37, 32, {1, 2, 0, 31}},
        {5, 37, 30, {1, 2, 0, 29}}, // beyond the count: page 1
        {1, 16, 16, {1, 1, 0, 15}},  {2, 17, 16, {2, 2, 16, 16}}, {0, 5, 16, {1, 1, 0, 4}},
    };
    for (const auto& c : cases) {
        const PageBounds b = ComputePage(c.requested, c.rows, c.perPage);
        EXPECT_EQ(b.page, c.expected.page) << c.requested << "/" << c.rows;
        EXPECT_EQ(b.count, c.expected.count) << c.requested << "/" << c.rows;
        EXPECT_EQ(b.first, c.expected.first) << c.requested << "/" << c.rows;
        EXPECT_EQ(b.last, c.expected.last) << c.requested << "/" << c.rows;
    }
    EXPECT_EQ(ComputePage(1, 0, 16).count, 0);
}

TEST(Captions, NumbersHeadingsAndValues) {
    EXPECT_EQ(NoLabelText(36, 16, "   37"), "3-37");
    EXPECT_EQ(NoLabelText(0, 16, "    1"), "1-1");
    StringGrid items(4, kPKomokuRows);
    SetupPKomokuGrid(items);
    SetDefaultHeadings(items);
    StringGrid base(kBaseCols, 1);
    SetStrGridTitle(base, 2);
    base.SetCell(5, 1, std::string("E990\0", 5));
    base.SetCell(19, 1, "1/60");
    base.SetCell(20, 1, "  2.8");
    const std::vector<int> list{4, 18, 19};
    EXPECT_EQ(LabelCaption(0, list, items, base, 1), "機種: E990") << "trailing NUL trimmed";
    EXPECT_EQ(LabelCaption(2, list, items, base, 1), "F値: 2.8");
    EXPECT_EQ(LabelCaption(3, list, items, base, 1), "");
    items.SetCell(2, 18, "");
    EXPECT_EQ(LabelCaption(1, list, items, base, 1), "1/60") << "no heading, no colon";
    EXPECT_EQ(LabelCaption(0, {1}, items, base, 1), base.Cell(2, 1));
    EXPECT_EQ(SizeText({"1600", "1200", "123kb"}), "1600x1200, 123kb");
    EXPECT_EQ(SizeText({}), "");
}

} // namespace
} // namespace kamelune
