// The catalogue of the 75 items and the item selection grid built on it.
#pragma once

#include "platform/StringGrid.h"

#include <string>
#include <string_view>
#include <vector>

namespace kamelune {

struct CatalogueItem {
    const char* longName;  // " 1) [FileName]" …, shown in the selection grid
    const char* heading;   // default heading: table column title and caption label
    const char* gridTitle; // title of base-table column k + 1
};

// Item k, 1..95 (76 to 95: the items of today's cameras, which an option offers).
const CatalogueItem& CatalogueItemOf(int k);

// Item numbers (1..75) in the order chosen, and picture numbers (rows of the base table) in
// display or selection order: the lists are numbers; "%3d" and "%4d" are how files and the
// screen show them.
using ItemList = std::vector<int>;
using PictureList = std::vector<int>;

// A number as a cell or a file holds it ("  5", " 5", "5"); 0 when it is not one.
int ItemNumber(std::string_view text);

// Item selection grid: a row per item (76 rows, 96 with today's items) × 4 columns ("項目",
// "選択", "見出し(編集可)", "事例").
constexpr int kItemRows = 76;
void SetUpItemGrid(StringGrid& grid, int items = 75);
// Column 2 := the default headings of the rows from `from` on.
void SetDefaultHeadings(StringGrid& grid, int from = 1);
// The default choice: Model, Exp.Time, F Number, ISO, ExposureBias, MeteringMode, WhiteBalance,
// Flash, FocalLength in that order; rows 1..36 otherwise cleared, rows 37..75 left alone.
void ChooseDefaultItems(StringGrid& grid);
// Item numbers of the chosen rows in order-number order.
void GridToItemList(const StringGrid& grid, ItemList& list);
// A click on `row` of a numbered choice (column 1 of `grid` holds each chosen row's place, from
// "1"; `chosen` the rows in that order), as the item and sort dialogs take one: a chosen row
// leaves and the rest are numbered anew; another joins at the end while fewer than `most` are
// chosen. False, changing nothing, when it cannot join.
bool ToggleNumberedRow(StringGrid& grid, ItemList& chosen, int row, std::size_t most);
// Column 3 := values of the first EXIF picture of the base table (else of its first row).
void FillSampleColumn(StringGrid& grid, const StringGrid& base);

} // namespace kamelune
