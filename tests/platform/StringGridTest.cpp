#include "support/Plain.h"

namespace kamelune::test {

struct Recorder : StringGridListener {
    int cells = 0, reshapes = 0, allCells = 0;
    void GridCellChanged(const StringGrid&, int, int) override { ++cells; }
    void GridReshaped(const StringGrid&) override { ++reshapes; }
    void GridCellsChanged(const StringGrid&) override { ++allCells; }
    void GridGone(const StringGrid&) override {}
};

TEST(StringGrid, ResizeKeepsSurvivingCells) {
    StringGrid g(3, 3);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            g.SetCell(c, r, std::to_string(c) + "," + std::to_string(r));
    g.SetColCount(5);
    g.SetRowCount(4);
    EXPECT_EQ(g.Cell(2, 2), "2,2");
    EXPECT_EQ(g.Cell(4, 3), "");
    g.SetColCount(2);
    g.SetRowCount(2);
    EXPECT_EQ(g.Cell(1, 1), "1,1");
    EXPECT_EQ(g.Cell(2, 1), "") << "dropped column reads empty";
    g.SetColCount(3);
    EXPECT_EQ(g.Cell(2, 1), "") << "a column that comes back is empty, not the old one";
}

// A row keeps its cells' texts back to back: every edit, of any length and in any order, leaves
// the other cells as they were. Checked against plain strings after each step.
TEST(StringGrid, EditsInAPackedRowLeaveTheOtherCells) {
    const int cols = 4;
    StringGrid g(cols, 2);
    std::vector<std::string> model(cols);
    std::vector<std::string_view> cells;
    const auto check = [&](const std::string& step) {
        g.RowCells(1, cells);
        ASSERT_EQ(cells.size(), model.size()) << step;
        for (int c = 0; c < cols; ++c) {
            ASSERT_EQ(g.Cell(c, 1), model[static_cast<std::size_t>(c)]) << step << " col " << c;
            ASSERT_EQ(cells[static_cast<std::size_t>(c)], model[static_cast<std::size_t>(c)]);
        }
        EXPECT_EQ(g.Cell(0, 0), "") << step << ": the other row stays empty";
    };
    // Short and long texts, a NUL byte, and rows past 65,535 bytes of text (wider offsets) and
    // back.
    const struct {
        int col;
        std::string text;
    } edits[] = {
        {2, "middle"},
        {0, "first"},
        {3, "last"},
        {2, "a much longer middle"},
        {2, "m"},
        {1, std::string("n\0ul", 4)},
        {0, ""},
        {3, std::string(5000, 'x')},
        {2, std::string(70000, 'y')},
        {0, "wide"},
        {2, ""},
        {3, ""},
        {1, ""},
        {0, ""},
        {1, "again"},
    };
    for (const auto& e : edits) {
        g.SetCell(e.col, 1, e.text);
        model[static_cast<std::size_t>(e.col)] = e.text;
        check("set " + std::to_string(e.col));
    }
    // A text taken from the same row, longer and shorter than the cell it replaces.
    g.SetCell(3, 1, "tail");
    g.SetCell(0, 1, g.Cell(3, 1));
    g.SetCell(3, 1, g.Cell(1, 1).substr(1));
    model[0] = "tail";
    model[3] = "gain";
    check("from the same row");
    // Whole rows: fewer cells than columns leave the rest empty, more are cut.
    const std::vector<std::string_view> few{"a", "", "c"}, many{"1", "2", "3", "4", "5"};
    g.SetRow(1, few);
    model = {"a", "", "c", ""};
    check("a short row");
    g.SetRow(1, many);
    model = {"1", "2", "3", "4"};
    check("a long row");
    g.ClearColumnsFrom(2);
    model = {"1", "2", "", ""};
    check("columns from 2 cleared");
    for (int c = 0; c < cols; ++c)
        g.SetCell(c, 1, "");
    EXPECT_TRUE(g.SameCells(StringGrid(cols, 2))) << "a row emptied cell by cell is an empty row";
}

TEST(StringGrid, OutOfRangeIsHarmless) {
    StringGrid g(2, 2);
    g.SetCell(-1, 0, "x");
    g.SetCell(2, 0, "x");
    g.SetCell(0, 5, "x");
    EXPECT_EQ(g.Cell(-1, 0), "");
    EXPECT_EQ(g.Cell(0, 5), "");
    EXPECT_TRUE(g.RowTexts(9).empty());
}

TEST(StringGrid, BulkUpdatesSendOneNotice) {
    StringGrid g(3, 3);
    Recorder rec;
    g.SetListener(&rec);
    g.SetCell(0, 0, "a");
    EXPECT_EQ(rec.cells, 1);
    g.BeginUpdate();
    for (int i = 0; i < 3; ++i)
        g.SetCell(i, 1, "b");
    g.SetRowCount(10);
    g.EndUpdate();
    EXPECT_EQ(rec.cells, 1);
    EXPECT_EQ(rec.reshapes, 1);
    EXPECT_EQ(rec.allCells, 0) << "a reshape covers the cells";
    // Cells alone (a selection column rewritten): one notice for the cells, the shape stays.
    g.BeginUpdate();
    g.BeginUpdate();
    g.SetCell(1, 2, "c");
    g.EndUpdate();
    EXPECT_EQ(rec.allCells, 0) << "not before the outer update ends";
    g.EndUpdate();
    EXPECT_EQ(rec.allCells, 1);
    EXPECT_EQ(rec.reshapes, 1);
    g.BeginUpdate();
    g.EndUpdate();
    EXPECT_EQ(rec.allCells + rec.reshapes, 2) << "an update that changed nothing says nothing";
    g.SetListener(nullptr);
}

// A view made elsewhere comes into the grid shown as if written there: the cells and fixed rows
// are the new ones, the widths and colours the grid's own.
TEST(StringGrid, CellsTakenKeepTheLook) {
    StringGrid shown(3, 2);
    shown.SetColWidth(1, 99);
    shown.SetFixedColor(0x123456);
    shown.SetCell(0, 1, "old");
    StringGrid made(4, 5);
    made.SetCell(3, 4, "new");
    made.SetFixedRows(1);
    Recorder rec;
    shown.SetListener(&rec);
    shown.TakeCellsKeepingLook(std::move(made));
    EXPECT_EQ(shown.ColCount(), 4);
    EXPECT_EQ(shown.RowCount(), 5);
    EXPECT_EQ(shown.Cell(3, 4), "new");
    EXPECT_EQ(shown.FixedRows(), 1);
    EXPECT_EQ(shown.ColWidth(1), 99);
    EXPECT_EQ(shown.ColWidth(3), StringGrid::kDefaultColWidth);
    EXPECT_EQ(shown.FixedColor(), 0x123456u);
    EXPECT_EQ(made.Cell(0, 1), "old") << "the old cells go back";
    EXPECT_EQ(rec.reshapes, 1);
    StringGrid sameShape(4, 5);
    sameShape.SetFixedRows(1);
    shown.TakeCellsKeepingLook(std::move(sameShape));
    EXPECT_EQ(shown.Cell(3, 4), "");
    EXPECT_EQ(rec.reshapes, 1) << "the same shape: the view keeps its place";
    EXPECT_EQ(rec.allCells, 1);
    shown.SetListener(nullptr);
}

} // namespace kamelune::test
