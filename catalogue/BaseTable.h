// The base table (every item of every picture of the folder) and the EXIF table derived from it.
// Plain code over string grids, shared by the main window, the tests and kamelune-table.
#pragma once

#include "catalogue/ItemCatalogue.h"

#include "exif/ExifReader.h"
#include "platform/StringGrid.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kamelune {

constexpr int kBaseCols = 77;
constexpr int kMaxPictures = 2000;
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
std::string TrimText(const std::string& s);

// items: the items that get columns (column k + 1 for item k).
void SetTitleRow(StringGrid& grid, int rows, int items = kItemCount);
void WriteParaToGrid(StringGrid& base, int row, const std::string& name, FileKind kind,
                     const ExifItemTexts& items, ReadFlags limits);
void ClearStrgrid(StringGrid& grid);
void ClearStrgridExceptSelectNo(StringGrid& grid);

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
// Appends base row r to the view when it passes the filter.
void CopyViewRow(const StringGrid& base, const ItemList& items, int r, int& counter,
                 StringGrid& view, bool exifOnly);
// "ALL": copy; any other mode: the chosen items. Then one fixed row when there are data rows.
void FillExifTable(const std::string& mode, const ViewSource& src, const ItemList& items,
                   StringGrid& view, bool exifOnly);
// Shapes the EXIF table after a rebuild: fixed row, widths, colours.
void FinishViewLook(StringGrid& view);

// Name order with ASCII letter case ignored, ties by code point (pictures and folders).
bool NameLess(const std::string& a, const std::string& b);
// Files of the folder that the picture list shows: regular files matching one of the masks
// ("*.jpg;*.jpeg", letter case ignored), in NameLess order. error, when given, receives why the
// folder could not be listed (an errno: ENOENT, ENOTDIR, EACCES, ...), 0 when it could.
inline constexpr const char* kPictureMasks = "*.jpg;*.jpeg";
std::vector<std::string> ListPictures(const std::string& folder,
                                      const std::string& masks = kPictureMasks,
                                      int* error = nullptr);
std::string JoinPath(const std::string& folder, const std::string& name);

// The pictures that get rows: at most 2,000, or all of them.
int PictureRowCount(int fileCount, bool allPictures = false);
struct FolderCounts {
    int fileCount = 0;
    int exifCount = 0;
    int pictureCount = 0;
    bool stopped = false; // the read was asked to stop before its end; the counts are partial
    int folderError = 0;  // why the folder could not be listed (an errno), 0 when it could
};

// How a read can be stopped between two files, and slowed for tests (a pause before each file,
// as a slow disk or a network share gives).
struct ReadControl {
    const std::atomic<bool>* stop = nullptr;
    std::chrono::milliseconds delay{0};
};

// What reading a folder gives: its base table, the reader's record of the last file read, the
// counts, and by row the orientation to turn each picture upright by for display (also of a
// JFIF-first picture whose EXIF items are not read).
struct FolderScan {
    StringGrid base{kBaseCols, 1};
    ExifItemTexts record;
    FolderCounts counts;
    std::vector<std::uint8_t> orientations;
};

// Builds the base table of the folder's files in one pass: each file is opened and its head read
// once, for the EXIF count and (the first 2,000) for its row. progress(n) is called before the
// n-th row is read (1-based).
void ReadFolder(const std::string& folder, const std::vector<std::string>& files, FolderScan& scan,
                ReadFlags limits, const std::function<void(int)>& progress = {},
                const ReadControl& control = {});
// Lists the folder's pictures by mask and builds their base table. Reads every file: run it off
// the user-interface thread.
FolderScan ScanFolder(const std::string& folder, const std::string& masks, ReadFlags limits,
                      const std::function<void(int)>& progress = {},
                      const ReadControl& control = {});

// The picture's position on OpenStreetMap (a marker, zoom 16), from the GPS columns of a base
// table read with today's items; empty when it has none.
std::string MapUrl(const StringGrid& base, int pictNo);

// "exifCount/pictureCount".
std::string CounterText(const FolderCounts& counts);

} // namespace kamelune
