// The selection against a simple model: a few hundred random clicks, all, none and reverse.
#include "catalogue/Selection.h"
#include "catalogue/BaseTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kamelune {
namespace {

// A base table of n pictures and a view that shows them in the given order.
struct Tables {
    StringGrid base{kBaseCols, 1};
    StringGrid view{5, 1};
    PictureList list;
    SelectionTables t{base, view, list};

    Tables(int n, std::vector<int> order) {
        SetStrGridTitle(base, n + 1);
        view.SetRowCount(static_cast<int>(order.size()) + 1);
        for (int r = 1; r <= n; ++r)
            base.SetCell(0, r,
                         std::string(4 - std::to_string(r).size(), ' ') + " " + std::to_string(r));
        for (std::size_t j = 0; j < order.size(); ++j)
            view.SetCell(0, static_cast<int>(j) + 1, base.Cell(0, order[j]));
    }
    std::vector<std::string> Column(int col) const {
        std::vector<std::string> out;
        for (int r = 1; r < view.RowCount(); ++r)
            out.push_back(view.Cell(col, r));
        return out;
    }
};

TEST(Selection, ThumbnailClicksNumberInOrderAndCloseGaps) {
    Tables s(10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_TRUE(TogglePicture(s.t, 5, 5));
    EXPECT_TRUE(TogglePicture(s.t, 2, 2));
    EXPECT_TRUE(TogglePicture(s.t, 9, 9));
    EXPECT_EQ(s.view.Cell(1, 5), "1");
    EXPECT_EQ(s.view.Cell(1, 2), "2");
    EXPECT_EQ(s.view.Cell(1, 9), "3");
    EXPECT_FALSE(TogglePicture(s.t, 2, 2));
    EXPECT_EQ(s.view.Cell(1, 9), "2");
    EXPECT_EQ(s.base.Cell(1, 9), "2");
    EXPECT_EQ(s.list, (std::vector<int>{5, 9}));
}

TEST(Selection, TableClickDropsANumberAndMovesHigherOnesDown) {
    Tables s(4, {4, 3, 2, 1});
    SelectionClick(s.t, 1);
    SelectionClick(s.t, 3);
    SelectionClick(s.t, 4);
    EXPECT_EQ(s.Column(1), (std::vector<std::string>{"1", "", "2", "3"}));
    SelectionClick(s.t, 1);
    EXPECT_EQ(s.Column(1), (std::vector<std::string>{"", "", "1", "2"}));
    EXPECT_EQ(s.base.Cell(1, 2), "1");
    EXPECT_EQ(s.base.Cell(1, 4), "");
    SelectionClick(s.t, 0); // the title row
    EXPECT_TRUE(SelectionConsistent(s.t));
}

TEST(Selection, AllFollowsTheDisplayOrderAndReverseNumbersTheRest) {
    Tables s(4, {3, 1, 4, 2});
    ASSERT_TRUE(SelectAll(s.t));
    EXPECT_EQ(s.list, (std::vector<int>{3, 1, 4, 2}));
    EXPECT_EQ(s.base.Cell(1, 3), "1");
    Tables r(4, {1, 2, 3, 4});
    SelectionClick(r.t, 1);
    SelectionClick(r.t, 3);
    ASSERT_TRUE(SelectReverse(r.t));
    EXPECT_EQ(r.Column(1), (std::vector<std::string>{"", "1", "", "2"}));
    EXPECT_EQ(r.list, (std::vector<int>{2, 4}));
    EXPECT_TRUE(SelectionConsistent(r.t));
}

TEST(Selection, EmptyTableAndEmptySelection) {
    Tables s(0, {});
    EXPECT_FALSE(SelectAll(s.t));
    EXPECT_FALSE(SelectReverse(s.t));
    EXPECT_FALSE(SelectNone(s.t));
    Tables t(3, {1, 2, 3});
    EXPECT_FALSE(SelectNone(t.t));
}

TEST(Selection, RandomOperationsKeepTheInvariant) {
    // A filtered and sorted view: pictures 7, 3, 9, 1, 5 of 10.
    const std::vector<int> order{7, 3, 9, 1, 5};
    Tables s(10, order);
    std::vector<int> model; // selected pictures in selection order
    std::mt19937 random(2026);
    for (int step = 0; step < 400; ++step) {
        const int op = static_cast<int>(random() % 10);
        const int row = static_cast<int>(random() % order.size()) + 1;
        const int pict = order[row - 1];
        const auto it = std::find(model.begin(), model.end(), pict);
        if (op < 4) {
            TogglePicture(s.t, pict, row);
            if (it == model.end())
                model.push_back(pict);
            else
                model.erase(it);
        } else if (op < 8) {
            SelectionClick(s.t, row);
            if (it == model.end())
                model.push_back(pict);
            else
                model.erase(it);
        } else if (op == 8) {
            SelectAll(s.t);
            model = order;
        } else if (random() % 2) {
            SelectNone(s.t);
            model.clear();
        } else {
            SelectReverse(s.t);
            std::vector<int> next;
            for (int p : order)
                if (std::find(model.begin(), model.end(), p) == model.end()) next.push_back(p);
            model = next;
        }
        ASSERT_EQ(s.list, model) << "step " << step << " op " << op;
        ASSERT_TRUE(SelectionConsistent(s.t)) << "step " << step << " op " << op;
    }
}

} // namespace
} // namespace kamelune
