// The selection against a simple model: a few hundred random clicks, all, none and reverse, each
// checked against every number in both tables.
#include "support/Plain.h"

namespace kamelune::test {

// A base table of n pictures and a view that shows them in the given order.
struct Tables {
    StringGrid base{kBaseCols, 1};
    StringGrid view{5, 1};
    PictureList list;
    SelectionTables t{base, view, list};

    Tables(int n, std::vector<int> order) {
        SetTitleRow(base, n + 1);
        view.SetRowCount(static_cast<int>(order.size()) + 1);
        for (int r = 1; r <= n; ++r)
            base.SetCell(0, r,
                         std::string(4 - std::to_string(r).size(), ' ') + " " + std::to_string(r));
        for (std::size_t j = 0; j < order.size(); ++j)
            view.SetCell(0, static_cast<int>(j) + 1, base.Cell(0, order[j]));
    }
};

TEST(Selection, EmptyTableAndEmptySelection) {
    Tables s(0, {});
    EXPECT_FALSE(SelectAll(s.t));
    EXPECT_FALSE(SelectReverse(s.t));
    EXPECT_FALSE(SelectNone(s.t));
    Tables t(3, {1, 2, 3});
    EXPECT_FALSE(SelectNone(t.t));
    ToggleSelectionOfRow(t.t, 0); // the title row
    EXPECT_TRUE(t.list.empty());
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
            ToggleSelectionOfRow(s.t, row);
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
        for (std::size_t j = 0; j < order.size(); ++j) { // numbers by the model, not the code
            const auto at = std::find(model.begin(), model.end(), order[j]);
            const std::string number =
                at == model.end() ? "" : std::to_string(at - model.begin() + 1);
            ASSERT_EQ(s.view.Cell(1, static_cast<int>(j) + 1), number) << "step " << step;
            ASSERT_EQ(s.base.Cell(1, order[j]), number) << "step " << step;
        }
    }
}

} // namespace kamelune::test
