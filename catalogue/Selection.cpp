#include "Selection.h"

#include "catalogue/ItemCatalogue.h"

#include <algorithm>
#include <cstdio>

namespace kamelune {
namespace {

int PictureOfRow(const StringGrid& view, int row) {
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

// Column 1 of both tables from the list: the one place the selection numbers are written.
void WriteSelectionColumns(SelectionTables& t) {
    const Updating updating(t);
    const std::vector<int> numbers = NumbersByPicture(t.base, t.list);
    const auto write = [](StringGrid& grid, int row, int number) {
        std::string text = number ? std::to_string(number) : std::string();
        if (grid.Cell(1, row) != text) grid.SetCell(1, row, std::move(text));
    };
    for (int r = 1; r < t.base.RowCount(); ++r)
        write(t.base, r, NumberOf(numbers, r));
    for (int r = 1; r < t.view.RowCount(); ++r)
        write(t.view, r, NumberOf(numbers, PictureOfRow(t.view, r)));
}

} // namespace

bool TogglePicture(SelectionTables& t, int pictNo, int /*exifRow*/) {
    const auto it = std::find(t.list.begin(), t.list.end(), pictNo);
    const bool selected = it == t.list.end();
    if (selected)
        t.list.push_back(pictNo);
    else
        t.list.erase(it);
    WriteSelectionColumns(t);
    return selected;
}

void ToggleSelectionOfRow(SelectionTables& t, int row) {
    if (row < 1 || row >= t.view.RowCount()) return;
    TogglePicture(t, PictureOfRow(t.view, row), row);
}

bool SelectAll(SelectionTables& t) {
    if (t.view.RowCount() < 2) return false;
    t.list.clear();
    for (int r = 1; r < t.view.RowCount(); ++r)
        t.list.push_back(PictureOfRow(t.view, r));
    WriteSelectionColumns(t);
    return true;
}

bool SelectReverse(SelectionTables& t) {
    if (t.view.RowCount() < 2) return false;
    // The pictures of the view not selected, in view order; those the view does not show drop.
    const std::vector<int> numbers = NumbersByPicture(t.base, t.list);
    PictureList reversed;
    for (int r = 1; r < t.view.RowCount(); ++r)
        if (const int n = PictureOfRow(t.view, r); NumberOf(numbers, n) == 0) reversed.push_back(n);
    t.list = std::move(reversed);
    WriteSelectionColumns(t);
    return true;
}

bool SelectNone(SelectionTables& t) {
    if (t.list.empty()) return false;
    t.list.clear();
    WriteSelectionColumns(t);
    return true;
}

bool SelectPictures(SelectionTables& t, PictureList pictures) {
    std::erase_if(pictures, [&t](int p) { return p < 1 || p >= t.base.RowCount(); });
    if (pictures == t.list) return false;
    t.list = std::move(pictures);
    WriteSelectionColumns(t);
    return true;
}

PictureList PicturesInViewOrder(const StringGrid& view) {
    PictureList pictures;
    for (int r = 1; r < view.RowCount(); ++r)
        if (const int n = PictureOfRow(view, r); n > 0) pictures.push_back(n);
    return pictures;
}

bool SelectionConsistent(const StringGrid& base, const StringGrid& view, const PictureList& list) {
    const std::vector<int> numbers = NumbersByPicture(base, list);
    for (int r = 1; r < base.RowCount(); ++r) {
        const int number = NumberOf(numbers, r);
        if (base.Cell(1, r) != (number ? std::to_string(number) : std::string())) return false;
    }
    for (int r = 1; r < view.RowCount(); ++r) {
        const int number = NumberOf(numbers, PictureOfRow(view, r));
        if (view.Cell(1, r) != (number ? std::to_string(number) : std::string())) return false;
    }
    return true;
}

bool SelectionConsistent(const SelectionTables& t) {
    return SelectionConsistent(t.base, t.view, t.list);
}

} // namespace kamelune
