#include "SortRename.h"

#include "catalogue/CacheNames.h"
#include "catalogue/FolderScan.h"
#include "catalogue/HideDelete.h"
#include "catalogue/ItemCatalogue.h"
#include "platform/Cp932.h"
#include "platform/qt/Collate.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace kamelune {

bool RightAlignedItem(int item) {
    static constexpr int kRight[] = {6,  7,  16, 17, 18, 20, 26, 27, 29,
                                     30, 31, 35, 38, 39, 41, 42, 43};
    return std::find(std::begin(kRight), std::end(kRight), item) != std::end(kRight);
}

std::string SortKeyField(const std::string& text, bool rightAligned) {
    std::string bytes = Utf8ToCp932(rightAligned ? text : TrimText(text));
    if (bytes.size() > 20) bytes.resize(20);
    const std::string pad(20 - bytes.size(), ' ');
    return rightAligned ? pad + bytes : bytes + pad;
}

SortCells CopySortCells(const StringGrid& base, const ItemList& keys) {
    SortCells copy{keys, std::max(0, base.RowCount() - 1), {}};
    copy.cells.reserve(static_cast<std::size_t>(copy.rows) * keys.size());
    for (int r = 1; r < base.RowCount(); ++r)
        for (const int item : keys)
            copy.cells.emplace_back(base.Cell(item + 1, r));
    return copy;
}

std::string SortLine(const SortCells& copy, int row) {
    const std::size_t first = static_cast<std::size_t>(row - 1) * copy.keys.size();
    std::string line;
    for (std::size_t k = 0; k < copy.keys.size(); ++k)
        line += SortKeyField(copy.cells[first + k], RightAlignedItem(copy.keys[k]));
    char number[16];
    std::snprintf(number, sizeof number, "%4d", row);
    return line + "@@" + number;
}

PictureList SortedRows(const SortCells& copy) {
    const QCollator collator = UserCollator();
    struct Line {
        QCollatorSortKey key;
        int row;
    };
    // One collation key per line; the sort then compares keys, not texts.
    std::vector<Line> keyed;
    keyed.reserve(static_cast<std::size_t>(copy.rows));
    for (int row = 1; row <= copy.rows; ++row) {
        const std::string text = Cp932ToUtf8(SortLine(copy, row));
        keyed.push_back(
            {collator.sortKey(QString::fromUtf8(text.data(), qsizetype(text.size()))), row});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Line& a, const Line& b) { return a.key.compare(b.key) < 0; });
    PictureList order;
    order.reserve(keyed.size());
    for (const Line& line : keyed)
        order.push_back(line.row);
    return order;
}

PictureList MakeSortedRowList(const StringGrid& base, const ItemList& keys) {
    return SortedRows(CopySortCells(base, keys));
}

std::string JoinParts(const std::string& a, const std::string& b) {
    if (!a.empty() && !b.empty()) return a + "_" + b;
    return a.empty() ? b : a;
}

static std::string FourDigitNumber(int i) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%4.4d", i);
    return buffer;
}

// Cuts the name before its extension: the last of ".", "\" and ":", when that is a ".".
static std::string WithoutExtension(const std::string& name) {
    const auto last = name.find_last_of(".\\:");
    return last != std::string::npos && name[last] == '.' ? name.substr(0, last) : name;
}

std::string MakeNewFilename(const RenamePattern& p, int i, int row, const StringGrid& base,
                            const StringGrid& itemGrid) {
    std::string name = TrimText(p.prefix);
    if (p.prefixNumber) name = JoinParts(name, FourDigitNumber(i));
    for (const auto& [item, heading] :
         {std::pair{p.item1, p.heading1}, std::pair{p.item2, p.heading2}}) {
        if (item <= 0) continue;
        std::string value = TrimText(base.Cell(item + 1, row));
        if (item == 1) value = WithoutExtension(value);
        name = JoinParts(name,
                         heading ? JoinParts(std::string(itemGrid.Cell(2, item)), value) : value);
    }
    std::string suffix = TrimText(p.suffix);
    if (p.suffixNumber) suffix = JoinParts(suffix, FourDigitNumber(i));
    name = JoinParts(name, suffix);
    name = WithoutExtension(name) + p.ext;
    std::replace(name.begin(), name.end(), ' ', '_');
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

std::string BadNameReason(const std::string& name) {
    if (name.empty()) return "empty name";
    if (name == "." || name == "..") return "not a file name";
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
        return "a name cannot hold / or NUL";
    const auto dot = name.rfind('.');
    if (dot == 0) return "only an extension";
    return {};
}

static bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

FileResult RenamePicture(const std::string& folder, const std::string& cacheFolder,
                         const std::string& oldName, const std::string& newName, bool sidecars) {
    // Both names are bare names of this folder: an edited old name such as "../x.jpg" must not
    // move a file in from elsewhere.
    for (const std::string& name : {oldName, newName})
        if (const std::string why = BadNameReason(name); !why.empty())
            return FileResult::Fail(name.empty() ? why : name + ": " + why);
    const std::vector<std::string> followers =
        sidecars ? SidecarsOf(folder, oldName) : std::vector<std::string>();
    for (const std::string& sidecar : followers)
        if (const std::string to = SidecarName(sidecar, newName);
            to != sidecar && FileExists(JoinPath(folder, to)))
            return FileResult::Fail("同じ名前のファイルがあります: " + to);
    int err = 0;
    if (!RenameNoReplace(JoinPath(folder, oldName), JoinPath(folder, newName), &err).ok)
        return FileResult::Fail(err == EEXIST ? "同じ名前のファイルがあります: " + newName
                                              : FailureText("cannot rename", oldName, err));
    for (const std::string& sidecar : followers)
        if (const std::string to = SidecarName(sidecar, newName); to != sidecar)
            if (!RenameNoReplace(JoinPath(folder, sidecar), JoinPath(folder, to), &err))
                return FileResult::Fail(FailureText("cannot rename", sidecar, err));
    // The cache follows the picture: a thumbnail under the new name belonged to a picture that
    // is gone, and one under the old name now belongs to nobody.
    for (const auto& [from, to] : {std::pair{ThumbFileName(oldName), ThumbFileName(newName)},
                                   std::pair{SizeFileName(oldName), SizeFileName(newName)}}) {
        const std::string source = cacheFolder + "/" + from;
        const std::string target = cacheFolder + "/" + to;
        if (source == target) continue;
        if (FileExists(target) && !SameFile(source, target)) std::remove(target.c_str());
        // One that cannot follow is dropped: the picture's thumbnail is made again.
        if (FileExists(source) && !RenameNoReplace(source, target)) std::remove(source.c_str());
    }
    return FileResult::Ok();
}

int RenameAll(
    const std::string& folder, const std::string& cacheFolder, const std::vector<RenameRow>& rows,
    const std::function<bool(const std::string& oldName, const std::string& reason)>& continueAfter,
    bool sidecars) {
    int count = 0;
    for (const RenameRow& row : rows) {
        const std::string oldName = TrimText(row.oldName);
        const std::string newName = TrimText(row.newName);
        if (oldName == newName) continue;
        if (const FileResult r = RenamePicture(folder, cacheFolder, oldName, newName, sidecars);
            r) {
            ++count;
        } else if (!continueAfter(oldName, r.error)) {
            break;
        }
    }
    return count;
}

} // namespace kamelune
