#include "catalogue/ViewTable.h"

namespace kamelune {

void MakeViewOfAllItems(const StringGrid& base, StringGrid& view, bool exifOnly) {
    view.BeginUpdate();
    view.SetColCount(base.ColCount());
    view.SetRowCount(base.RowCount());
    for (int c = 0; c < base.ColCount(); ++c)
        view.SetCell(c, 0, base.Cell(c, 0));
    std::vector<std::string_view> cells;
    for (int r = 1; r < base.RowCount(); ++r) {
        if (!exifOnly || IsExifRow(base, r))
            base.RowCells(r, cells);
        else
            cells.clear();
        view.SetRow(r, cells);
    }
    view.EndUpdate();
}

namespace {

// Scratch space for copying rows: the base row's cells and the view row's.
struct RowCopy {
    std::vector<std::string_view> from, to;
};

// Appends base row r to the view when it passes the filter.
void CopyViewRow(const StringGrid& base, const ItemList& items, int r, int& counter,
                 StringGrid& view, bool exifOnly, RowCopy& copy) {
    if (exifOnly && !IsExifRow(base, r)) return;
    ++counter;
    if (view.RowCount() <= counter) view.SetRowCount(counter + 1);
    base.RowCells(r, copy.from);
    const auto cell = [&copy](int col) {
        return col >= 0 && col < static_cast<int>(copy.from.size())
                   ? copy.from[static_cast<std::size_t>(col)]
                   : std::string_view();
    };
    copy.to.resize(items.size() + 3);
    for (int c = 0; c <= 2; ++c)
        copy.to[static_cast<std::size_t>(c)] = cell(c);
    for (std::size_t m = 0; m < items.size(); ++m)
        copy.to[m + 3] = cell(items[m] + 1);
    view.SetRow(counter, copy.to);
}

} // namespace

void MakeViewOfChosenItems(const ViewSource& src, const ItemList& items, StringGrid& view,
                           bool exifOnly) {
    view.BeginUpdate();
    // Every cell is written below: the rows read whole, the title row cell by cell.
    const int cols = static_cast<int>(items.size()) + 3;
    if (view.ColCount() != cols) view.ClearCells(); // nothing to carry into the new columns
    view.SetColCount(cols);
    view.SetRowCount(std::max(1, src.base.RowCount()));
    view.SetCell(2, 0, "ファイル名");
    for (std::size_t m = 0; m < items.size(); ++m)
        view.SetCell(static_cast<int>(m) + 3, 0, src.itemGrid.Cell(2, items[m]));
    int counter = 0;
    RowCopy copy;
    if (src.rowOrder.empty()) {
        for (int r = 1; r < src.base.RowCount(); ++r)
            CopyViewRow(src.base, items, r, counter, view, exifOnly, copy);
    } else {
        for (const int r : src.rowOrder) {
            if (r >= 1 && r < src.base.RowCount())
                CopyViewRow(src.base, items, r, counter, view, exifOnly, copy);
        }
    }
    view.SetCell(0, 0, "No");
    view.SetCell(1, 0, "選択");
    view.SetRowCount(counter + 1);
    view.SetColCount(cols);
    view.EndUpdate();
}

void FinishViewLook(StringGrid& view) {
    view.BeginUpdate();
    view.SetFixedRows(view.RowCount() > 1 ? 1 : 0);
    view.SetColWidth(0, 40);
    view.SetColWidth(1, 30);
    view.SetDefaultRowHeight(16);
    view.SetFixedColor(kTitleColor);
    view.EndUpdate();
}

void FillExifTable(const std::string& mode, const ViewSource& src, const ItemList& items,
                   StringGrid& view, bool exifOnly) {
    if (mode == "ALL")
        MakeViewOfAllItems(src.base, view, exifOnly);
    else
        MakeViewOfChosenItems(src, items, view, exifOnly);
    view.SetFixedRows(view.RowCount() > 1 ? 1 : 0);
}

} // namespace kamelune
