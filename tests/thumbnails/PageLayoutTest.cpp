// Page arithmetic, panel geometry, caption texts and looks.
#include "support/Plain.h"

namespace kamelune::test {

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

TEST(PanelGeometry, PanelsImagesAndLinesByFontAndLineCount) {
    // A panel is 148 high with one caption line, (font + 2) more for each further line.
    const struct {
        int q, columns, font, lines;
        Rect expected;
    } panels[] = {
        {0, 5, 12, 9, {4, 2, 105, 260}},
        {6, 5, 12, 9, {111, 266, 105, 260}},       // second row, second column
        {3, 1, 14, 4, {4, 3 * 200 + 2, 105, 196}}, // one column
        {0, 4, 14, 0, {4, 2, 105, 132}},           // no caption lines: the picture and its size
        {0, 4, 10, 20, {4, 2, 105, 376}},
    };
    for (const auto& c : panels)
        EXPECT_EQ(PanelRect(c.q, c.columns, c.font, c.lines), c.expected)
            << c.q << " " << c.font << " " << c.lines;
    for (const auto& [width, columns] :
         {std::pair{0, 1}, {106, 1}, {107, 1}, {213, 1}, {214, 2}, {535, 5}})
        EXPECT_EQ(SetNoHorz(width), columns) << width;
    EXPECT_EQ(CaptionLineCount(Pane::AllItems, 25), 20);
    EXPECT_EQ(CaptionLineCount(Pane::AllItems, 9), 9);
    EXPECT_EQ(CaptionLineCount(Pane::FourItems, 25), 4);
    EXPECT_EQ(CaptionLineCount(Pane::Pictures, 9), 0);
    // Centred; wider than high sits lower, in the middle of the 88 square below the number.
    EXPECT_EQ(ImageRect(88, 66), (Rect{8, 31, 88, 66}));
    EXPECT_EQ(ImageRect(66, 88), (Rect{19, 15, 66, 88}));
    EXPECT_EQ(ImageRect(88, 88), (Rect{8, 15, 88, 88}));
    EXPECT_EQ(SizeLabelTop(true, 12, 9), 246);
    EXPECT_EQ(SizeLabelTop(false, 12, 9), 114);
    EXPECT_EQ(CaptionRect(0, 12), (Rect{4, 114, 94, 13}));
    EXPECT_EQ(CaptionRect(3, 14), (Rect{4, 162, 94, 15}));
}

TEST(CaptionLook, EmphasisAndTransparency) {
    constexpr std::uint32_t text = 0x000001, back = 0x000002, emphasis = 0x000003;
    const struct {
        bool emphasised, transparent;
        CaptionLook expected;
    } cases[] = {
        {false, false, {back, text, false}},
        {true, false, {emphasis, text, false}}, // the line's background takes the emphasis
        {false, true, {back, text, true}},
        {true, true, {back, emphasis, true}}, // no background to colour: the text takes it
    };
    for (const auto& c : cases) {
        const CaptionLook look = CaptionLookFor(c.emphasised, c.transparent, text, back, emphasis);
        EXPECT_EQ(look.background, c.expected.background) << c.emphasised << c.transparent;
        EXPECT_EQ(look.text, c.expected.text) << c.emphasised << c.transparent;
        EXPECT_EQ(look.transparent, c.expected.transparent) << c.emphasised << c.transparent;
    }
}

TEST(Captions, NumbersHeadingsAndValues) {
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

} // namespace kamelune::test
