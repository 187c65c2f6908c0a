// Caption texts of the thumbnail panels: headings, values and the size line.
#include "support/Plain.h"

namespace kamelune::test {

TEST(Captions, NumbersHeadingsAndValues) {
    StringGrid items(4, kItemRows);
    SetUpItemGrid(items);
    SetDefaultHeadings(items);
    StringGrid base(kBaseCols, 1);
    SetTitleRow(base, 2);
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

} // namespace kamelune::test
