#include "catalogue/ViewTable.h"

namespace kamelune {

void MakeViewOfAllItems(const StringGrid& base, StringGrid& view, bool exifOnly) {
    view.BeginUpdate();
    view.SetColCount(base.ColCount());
    view.SetRowCount(base.RowCount());
    for (int c = 0; c < base.ColCount(); ++c)
        view.SetCell(c, 0, base.Cell(c, 0));
    std::vector<std::string_view> cells(static_cast<std::size_t>(base.ColCount()));
    for (int r = 1; r < base.RowCount(); ++r) {
        const bool pass = !exifOnly || IsExifRow(base, r);
        for (std::size_t c = 0; c < cells.size(); ++c)
            cells[c] = pass ? base.Cell(static_cast<int>(c), r) : std::string_view();
        view.SetRow(r, cells);
    }
    view.EndUpdate();
}

namespace {

// Appends base row r to the view when it passes the filter; cells is the row's scratch space.
void CopyViewRow(const StringGrid& base, const ItemList& items, int r, int& counter,
                 StringGrid& view, bool exifOnly, std::vector<std::string_view>& cells) {
    if (exifOnly && !IsExifRow(base, r)) return;
    ++counter;
    if (view.RowCount() <= counter) view.SetRowCount(counter + 1);
    for (int c = 0; c <= 2; ++c)
        cells[static_cast<std::size_t>(c)] = base.Cell(c, r);
    for (std::size_t m = 0; m < items.size(); ++m)
        cells[m + 3] = base.Cell(items[m] + 1, r);
    view.SetRow(counter, cells);
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
    std::vector<std::string_view> cells(static_cast<std::size_t>(cols));
    if (src.rowOrder.empty()) {
        for (int r = 1; r < src.base.RowCount(); ++r)
            CopyViewRow(src.base, items, r, counter, view, exifOnly, cells);
    } else {
        for (const int r : src.rowOrder) {
            if (r >= 1 && r < src.base.RowCount())
                CopyViewRow(src.base, items, r, counter, view, exifOnly, cells);
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
