// The base table's columns: every item of every picture of the folder, item k in column k + 1,
// and how a picture's items are written into its row. Plain code over string grids, shared by the
// folder read, the views, the tests and kamelune-table.
#pragma once

#include "catalogue/ItemCatalogue.h"
#include "exif/ExifReader.h"
#include "platform/StringGrid.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kamelune {

constexpr int kBaseCols = 77;
// Item k is column k + 1 of the base table; column 0 is the picture number, 1 the selection.
constexpr int ItemCol(int item) {
    return item + 1;
}
constexpr int kNameCol = ItemCol(kItemFileName);
constexpr int kTypeCol = ItemCol(kItemType);
constexpr int kWidthCol = ItemCol(kItemWidth); // width, height and size text follow
constexpr int kSizeCol = ItemCol(kItemFileSize);
constexpr const char* kExifKind = "EXIF"; // the kind text of a picture that carries EXIF

// Whether the picture of a base-table row carries EXIF.
inline bool IsExifRow(const StringGrid& base, int row) {
    return base.Cell(kTypeCol, row) == kExifKind;
}
constexpr std::uint32_t kTitleColor = 0xBFAE82;

// How a folder is read into the base table: whether the maker note (item 37) and the user
// comment (item 38) are cut to 5 characters, and what the EXIF reader reads.
struct ReadFlags {
    bool makerNote = true;
    bool userComment = true;
    ExifReadOptions exif{};
    int items = kItemCount;   // the items that get columns: 75, or 95 with today's items
    bool allPictures = false; // every picture of the folder gets a row, not the first 2,000
};

// The first n characters (not bytes) of a UTF-8 text.
std::string FirstChars(const std::string& utf8, std::size_t n);
// Blanks and control characters off both ends (as the cell texts are trimmed for display).
std::string TrimText(std::string_view s);

// items: the items that get columns (column k + 1 for item k).
void SetTitleRow(StringGrid& grid, int rows, int items = kItemCount);
void WriteParaToGrid(StringGrid& base, int row, const std::string& name, FileKind kind,
                     const ExifItemTexts& items, ReadFlags limits);
// Every cell emptied; the cells of the 選択 column kept.
void ClearGrid(StringGrid& grid);
void ClearGridKeepingSelection(StringGrid& grid);

// The picture's position on OpenStreetMap (a marker, zoom 16), from the GPS columns of a base
// table read with today's items; empty when it has none.
std::string MapUrl(const StringGrid& base, int pictNo);

} // namespace kamelune
