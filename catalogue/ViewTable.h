// The EXIF table the views show, made from the base table: every item, or the chosen ones in the
// table's row order, with or without the pictures that carry no EXIF.
#pragma once

#include "catalogue/ItemColumns.h"
#include "catalogue/Selection.h"

#include <string>

namespace kamelune {

// What the view is built from besides the base table.
struct ViewSource {
    const StringGrid& base;
    const StringGrid& itemGrid;  // headings in column 2, row = item number
    const PictureList& rowOrder; // base rows in display order; empty: natural
};

// View := copy of the base table (rows that fail the filter are left empty).
void MakeViewOfAllItems(const StringGrid& base, StringGrid& view, bool exifOnly);
// View := the chosen items of the pictures in display order.
void MakeViewOfChosenItems(const ViewSource& src, const ItemList& items, StringGrid& view,
                           bool exifOnly);
// "ALL": copy; any other mode: the chosen items. Then one fixed row when there are data rows.
void FillExifTable(const std::string& mode, const ViewSource& src, const ItemList& items,
                   StringGrid& view, bool exifOnly);
// What FillExifTable is given besides the base table, kept by value: a view made on a reading
// thread from the table it has just read, which the window takes when nothing has changed since.
struct ViewRecipe {
    std::string mode;
    StringGrid itemGrid{4, 1};
    ItemList items;
    PictureList rowOrder;
    bool exifOnly = false;

    bool operator==(const ViewRecipe& other) const {
        return mode == other.mode && itemGrid.SameCells(other.itemGrid) && items == other.items &&
               rowOrder == other.rowOrder && exifOnly == other.exifOnly;
    }
    void Make(const StringGrid& base, StringGrid& view) const {
        FillExifTable(mode, {base, itemGrid, rowOrder}, items, view, exifOnly);
    }
};

// Shapes the EXIF table after a rebuild: fixed row, widths, colours.
void FinishViewLook(StringGrid& view);

} // namespace kamelune
