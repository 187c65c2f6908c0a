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

TEST(StringGrid, OutOfRangeIsHarmless) {
    StringGrid g(2, 2);
    g.SetCell(-1, 0, "x");
    g.SetCell(2, 0, "x");
    g.SetCell(0, 5, "x");
    EXPECT_EQ(g.Cell(-1, 0), "");
    EXPECT_EQ(g.Cell(0, 5), "");
    EXPECT_TRUE(g.Row(9).empty());
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

} // namespace kamelune::test
