#include "Selection.h"

#include "catalogue/SetKomoku.h"

#include <algorithm>
#include <cstdio>

namespace kamelune {
namespace {

int PictOfRow(const StringGrid& view, int row) {
    return ItemNumber(view.Cell(0, row));
}

// Both tables' column 1 rewritten as one change each: a view hears one notice, not one per row.
class Updating {
public:
    explicit Updating(SelectionTables& t) : t_(t) {
        t_.view.BeginUpdate();
        t_.base.BeginUpdate();
    }
    ~Updating() {
        t_.base.EndUpdate();
        t_.view.EndUpdate();
    }
    Updating(const Updating&) = delete;
    Updating& operator=(const Updating&) = delete;

private:
    SelectionTables& t_;
};

// The selection number of each picture (0: not selected), by picture number: a lookup per row
// instead of a search of the list, which a folder of 50,000 pictures cannot afford.
std::vector<int> NumbersByPicture(const StringGrid& base, const PictureList& list) {
    std::vector<int> numbers(static_cast<std::size_t>(std::max(base.RowCount(), 1)), 0);
    for (std::size_t j = list.size(); j-- > 0;) {
        const int pictNo = list[j];
        if (pictNo > 0 && pictNo < static_cast<int>(numbers.size()))
            numbers[static_cast<std::size_t>(pictNo)] = static_cast<int>(j) + 1;
    }
    return numbers;
}

int NumberOf(const std::vector<int>& numbers, int pictNo) {
    return pictNo > 0 && pictNo < static_cast<int>(numbers.size())
               ? numbers[static_cast<std::size_t>(pictNo)]
               : 0;
}

void RenumberAll(SelectionTables& t) {
    const Updating updating(t);
    for (std::size_t j = 0; j < t.list.size(); ++j)
        t.base.SetCell(1, t.list[j], std::to_string(j + 1));
    const std::vector<int> numbers = NumbersByPicture(t.base, t.list);
    for (int r = 1; r < t.view.RowCount(); ++r) {
        const int number = NumberOf(numbers, PictOfRow(t.view, r));
        if (number > 0) t.view.SetCell(1, r, std::to_string(number));
    }
}

} // namespace

int SelectionNumberOf(const PictureList& list, int pictNo) {
    const auto it = std::find(list.begin(), list.end(), pictNo);
    return it == list.end() ? 0 : static_cast<int>(it - list.begin()) + 1;
}

bool TogglePicture(SelectionTables& t, int pictNo, int exifRow) {
    const auto it = std::find(t.list.begin(), t.list.end(), pictNo);
    if (it == t.list.end()) {
        t.list.push_back(pictNo);
        const std::string c = std::to_string(t.list.size());
        t.base.SetCell(1, pictNo, c);
        t.view.SetCell(1, exifRow, c);
        return true;
    }
    t.base.SetCell(1, pictNo, "");
    t.view.SetCell(1, exifRow, "");
    t.list.erase(it);
    RenumberAll(t);
    return false;
}

void SelectionClick(SelectionTables& t, int row) {
    if (row < 1 || row >= t.view.RowCount()) return;
    const int pictNo = PictOfRow(t.view, row);
    const std::string& cell = t.view.Cell(1, row);
    if (!cell.empty()) {
        const int index = ItemNumber(cell) - 1;
        if (index >= 0 && index < static_cast<int>(t.list.size()))
            t.list.erase(t.list.begin() + index);
        t.view.SetCell(1, row, "");
        t.base.SetCell(1, pictNo, "");
    } else {
        const std::string c = std::to_string(t.list.size() + 1);
        t.view.SetCell(1, row, c);
        t.base.SetCell(1, pictNo, c);
        t.list.push_back(pictNo);
    }
    const Updating updating(t);
    const std::vector<int> numbers = NumbersByPicture(t.base, t.list);
    for (int r = 1; r < t.view.RowCount(); ++r) {
        if (t.view.Cell(1, r).empty()) continue;
        const int n = PictOfRow(t.view, r);
        const std::string number = std::to_string(NumberOf(numbers, n));
        t.view.SetCell(1, r, number);
        t.base.SetCell(1, n, number);
    }
}

bool SelectAll(SelectionTables& t) {
    if (t.view.RowCount() < 2) return false;
    const Updating updating(t);
    t.list.clear();
    for (int r = 1; r < t.view.RowCount(); ++r) {
        const int n = PictOfRow(t.view, r);
        t.view.SetCell(1, r, std::to_string(r));
        t.list.push_back(n);
        t.base.SetCell(1, n, std::to_string(r));
    }
    return true;
}

bool SelectReverse(SelectionTables& t) {
    if (t.view.RowCount() < 2) return false;
    const Updating updating(t);
    t.list.clear();
    int k = 1;
    for (int r = 1; r < t.view.RowCount(); ++r) {
        if (t.view.Cell(1, r).empty()) {
            t.view.SetCell(1, r, std::to_string(k++));
            t.list.push_back(PictOfRow(t.view, r));
        } else {
            t.view.SetCell(1, r, "");
        }
    }
    for (int r = 1; r < t.base.RowCount(); ++r)
        if (!t.base.Cell(1, r).empty()) t.base.SetCell(1, r, "");
    for (int r = 1; r < t.view.RowCount(); ++r)
        if (!t.view.Cell(1, r).empty()) t.base.SetCell(1, PictOfRow(t.view, r), t.view.Cell(1, r));
    return true;
}

bool SelectNone(SelectionTables& t) {
    if (t.list.empty()) return false;
    const Updating updating(t);
    t.list.clear();
    for (int r = 1; r < t.view.RowCount(); ++r)
        t.view.SetCell(1, r, "");
    for (int r = 1; r < t.base.RowCount(); ++r)
        t.base.SetCell(1, r, "");
    return true;
}

bool SelectionConsistent(const StringGrid& base, const StringGrid& view, const PictureList& list) {
    const std::vector<int> numbers = NumbersByPicture(base, list);
    for (int r = 1; r < base.RowCount(); ++r) {
        const int number = NumberOf(numbers, r);
        if (base.Cell(1, r) != (number ? std::to_string(number) : std::string())) return false;
    }
    for (int r = 1; r < view.RowCount(); ++r) {
        const int number = NumberOf(numbers, PictOfRow(view, r));
        if (view.Cell(1, r) != (number ? std::to_string(number) : std::string())) return false;
    }
    return true;
}

bool SelectionConsistent(const SelectionTables& t) {
    return SelectionConsistent(t.base, t.view, t.list);
}

} // namespace kamelune
