// The sort on up to four items and the file names of the batch rename. Plain code over the
// tables; the dialogs only read their controls and call it.
#pragma once

#include "catalogue/ItemColumns.h"
#include "platform/FileUtil.h"
#include "platform/StringGrid.h"

#include <functional>
#include <string>
#include <vector>

namespace kamelune {

// Items whose key field is right-aligned (numbers of the same shape compare by length first).
bool RightAlignedItem(int item);
// A 20-byte key field of a cell text, in CP932 bytes (a double-byte character may be cut).
std::string SortKeyField(const std::string& text, bool rightAligned);
// The key cells of every base row (row by row, a cell per key), copied out of the table so that
// a worker can sort them while the table changes.
struct SortCells {
    ItemList keys;
    int rows = 0;
    std::vector<std::string> cells;
};
SortCells CopySortCells(const StringGrid& base, const ItemList& keys);
// One sort line of row r (1-based) of the copy: the key fields, "@@", r as "%4d".
std::string SortLine(const SortCells& copy, int row);
// The row order after a sort: every base row, ordered by the lines in the user's locale, letter
// case ignored. Needs nothing but the copy: it may run on a worker.
PictureList SortedRows(const SortCells& copy);
PictureList MakeSortedRowList(const StringGrid& base, const ItemList& keys);

// a + "_" + b when both are there, else the one that is.
std::string JoinParts(const std::string& a, const std::string& b);

struct RenamePattern {
    std::string prefix;
    bool prefixNumber = false;
    int item1 = 0; // 0: "なし"
    bool heading1 = false;
    int item2 = 0;
    bool heading2 = false;
    std::string suffix;
    bool suffixNumber = false;
    std::string ext = ".JPG";
};

// The new name of the i-th selected picture (base row `row`); headings from the item grid.
std::string MakeNewFilename(const RenamePattern& p, int i, int row, const StringGrid& base,
                            const StringGrid& itemGrid);

// Why a new name cannot be a picture's name: empty, only an extension, "." or "..", a path
// separator or a NUL. Empty when it can.
std::string BadNameReason(const std::string& name);

// Renames folder/oldName to folder/newName, never replacing a file; then the picture's cache
// entries in cacheFolder follow it (a stale entry under the new name is dropped first). A failure
// says why, for the user: "同じ名前のファイルがあります" and the name when it is taken. With
// sidecars, the picture's sidecars take the new stem too; a sidecar name that is taken keeps the
// picture as it was.
FileResult RenamePicture(const std::string& folder, const std::string& cacheFolder,
                         const std::string& oldName, const std::string& newName,
                         bool sidecars = false);

struct RenameRow {
    std::string oldName, newName;
};
// The batch: rows whose names are equal (after trimming) are skipped; on a failure
// continueAfter(oldName, reason) decides whether to go on. Returns how many were renamed.
int RenameAll(
    const std::string& folder, const std::string& cacheFolder, const std::vector<RenameRow>& rows,
    const std::function<bool(const std::string& oldName, const std::string& reason)>& continueAfter,
    bool sidecars = false);

} // namespace kamelune
