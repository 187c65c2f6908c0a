#include "BaseTable.h"

#include "ItemCatalogue.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <fnmatch.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace kamelune {
namespace {

// The wait of a simulated slow disk, cut short by a stop: a read asked to stop never waits it out.
void SlowDisk(const ReadControl& control) {
    const auto until = std::chrono::steady_clock::now() + control.delay;
    while (!(control.stop && control.stop->load(std::memory_order_relaxed))) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(2)));
    }
}

std::string Format5d(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%5d", n);
    return buffer;
}

std::vector<std::string> SplitMasks(const std::string& masks) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= masks.size()) {
        const auto end = std::min(masks.find(';', start), masks.size());
        if (end > start) out.push_back(masks.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

} // namespace

std::string FirstChars(const std::string& utf8, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < utf8.size(); ++i)
        NextCodePoint(utf8, pos);
    return utf8.substr(0, pos);
}

std::string TrimText(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ')
        ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ')
        --b;
    return s.substr(a, b - a);
}

void SetTitleRow(StringGrid& grid, int rows, int items) {
    grid.BeginUpdate();
    grid.SetRowCount(rows);
    grid.SetColCount(items + 2);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.SetDefaultColWidth(50);
    grid.SetColWidth(0, 40);
    grid.SetColWidth(1, 30);
    grid.SetColWidth(2, 100);
    grid.SetDefaultRowHeight(16);
    grid.SetCell(0, 0, "No");
    grid.SetCell(1, 0, "Select");
    for (int k = 1; k <= items; ++k)
        grid.SetCell(k + 1, 0, CatalogueItemOf(k).gridTitle);
    grid.EndUpdate();
}

void WriteParaToGrid(StringGrid& base, int row, const std::string& name, FileKind kind,
                     const ExifItemTexts& items, ReadFlags limits) {
    base.SetColCount(limits.items + 2);
    base.SetCell(0, row, Format5d(row));
    base.SetCell(1, row, "");
    base.SetCell(kNameCol, row, name);
    base.SetCell(kTypeCol, row, KindText(kind));
    for (int k = kItemWidth; k <= kItemFileSize; ++k)
        base.SetCell(ItemCol(k), row, items[k]);
    for (int k = kItemImageDescription; k <= limits.items; ++k) {
        if (k >= kItemType && k <= kItemFileSize) continue;
        if ((k == kItemMakerNote && limits.makerNote) ||
            (k == kItemUserComment && limits.userComment))
            base.SetCell(ItemCol(k), row, FirstChars(items[k], 5));
        else
            base.SetCell(ItemCol(k), row, items[k]);
    }
}

void ClearStrgrid(StringGrid& grid) {
    grid.ClearCells();
}

void ClearStrgridExceptSelectNo(StringGrid& grid) {
    grid.BeginUpdate();
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 2; c < grid.ColCount(); ++c)
            grid.SetCell(c, r, "");
    grid.EndUpdate();
}

void MakeViewOfAllItems(const StringGrid& base, StringGrid& view, bool exifOnly) {
    view.BeginUpdate();
    view.SetColCount(base.ColCount());
    view.SetRowCount(base.RowCount());
    for (int c = 0; c < base.ColCount(); ++c)
        view.SetCell(c, 0, base.Cell(c, 0));
    for (int r = 1; r < base.RowCount(); ++r) {
        const bool pass = !exifOnly || IsExifRow(base, r);
        for (int c = 0; c < base.ColCount(); ++c)
            view.SetCell(c, r, pass ? base.Cell(c, r) : std::string());
    }
    view.EndUpdate();
}

void CopyViewRow(const StringGrid& base, const ItemList& items, int r, int& counter,
                 StringGrid& view, bool exifOnly) {
    if (exifOnly && !IsExifRow(base, r)) return;
    ++counter;
    if (view.RowCount() <= counter) view.SetRowCount(counter + 1);
    for (int c = 0; c <= 2; ++c)
        view.SetCell(c, counter, base.Cell(c, r));
    for (std::size_t m = 0; m < items.size(); ++m)
        view.SetCell(static_cast<int>(m) + 3, counter, base.Cell(items[m] + 1, r));
}

void MakeViewOfChosenItems(const ViewSource& src, const ItemList& items, StringGrid& view,
                           bool exifOnly) {
    view.BeginUpdate();
    ClearStrgridExceptSelectNo(view);
    const int cols = static_cast<int>(items.size()) + 3;
    view.SetColCount(cols);
    view.SetRowCount(std::max(1, src.base.RowCount()));
    view.SetCell(2, 0, "ファイル名");
    for (std::size_t m = 0; m < items.size(); ++m)
        view.SetCell(static_cast<int>(m) + 3, 0, src.itemGrid.Cell(2, items[m]));
    int counter = 0;
    if (src.rowOrder.empty()) {
        for (int r = 1; r < src.base.RowCount(); ++r)
            CopyViewRow(src.base, items, r, counter, view, exifOnly);
    } else {
        for (const int r : src.rowOrder) {
            if (r >= 1 && r < src.base.RowCount())
                CopyViewRow(src.base, items, r, counter, view, exifOnly);
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

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::vector<std::string> ListPictures(const std::string& folder, const std::string& masks,
                                      int* error) {
    std::vector<std::string> names;
    const std::vector<std::string> patterns = SplitMasks(masks);
    DIR* dir = ::opendir(folder.c_str());
    if (error) *error = dir ? 0 : errno;
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        bool match = false;
        for (const std::string& p : patterns)
            match = match || ::fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
        if (!match) continue;
        // The listing says what most entries are; only links and unknown types need a stat.
        if (e->d_type != DT_REG) {
            struct stat st {};
            if (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) continue;
            if (::stat(JoinPath(folder, name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        }
        names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

bool NameLess(const std::string& a, const std::string& b) {
    const auto fold = [](char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]);
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

int PictureRowCount(int fileCount, bool allPictures) {
    return allPictures ? fileCount : std::min(fileCount, kMaxPictures);
}

void ReadFolder(const std::string& folder, const std::vector<std::string>& files, FolderScan& scan,
                ReadFlags limits, const std::function<void(int)>& progress,
                const ReadControl& control) {
    StringGrid& base = scan.base;
    FolderCounts& counts = scan.counts;
    counts = {};
    counts.fileCount = static_cast<int>(files.size());
    counts.pictureCount = PictureRowCount(counts.fileCount, limits.allPictures);
    base.BeginUpdate();
    ClearStrgrid(base);
    SetTitleRow(base, counts.pictureCount + 1, limits.items);
    scan.orientations.assign(static_cast<std::size_t>(counts.pictureCount) + 1, 0);
    // One pass: a single open and head read of each file gives both its quick kind (for the
    // count) and its items. Files past the limit are only counted. A few threads take the files
    // in turn, each writing the rows of its own files.
    std::atomic<int> next{0}, exif{0};
    std::atomic<bool> stopped{false};
    std::mutex progressMutex;
    const auto work = [&](ExifItemTexts& items) {
        FileKind kind = FileKind::Unread, quick = FileKind::Unknown;
        int found = 0;
        for (;;) {
            if (control.stop && control.stop->load(std::memory_order_relaxed)) {
                stopped = true;
                break;
            }
            const int i = next.fetch_add(1);
            if (i >= counts.fileCount) break;
            if (control.delay.count() > 0) SlowDisk(control);
            const std::string path = JoinPath(folder, files[i]);
            if (i < counts.pictureCount) {
                if (progress) {
                    const std::lock_guard lock(progressMutex);
                    progress(i + 1);
                }
                // A file that vanished or cannot be read is still a row, with the kind it reached.
                ReadExifFile(path, kind, items, limits.exif, &quick);
                WriteParaToGrid(base, i + 1, files[i], kind, items, limits);
                scan.orientations[static_cast<std::size_t>(i) + 1] =
                    static_cast<std::uint8_t>(items.displayOrientation);
            } else {
                CheckJpegKind(path, quick, limits.exif);
            }
            found += quick == FileKind::Exif;
        }
        exif += found;
    };
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1,
                                   std::clamp(counts.fileCount / 64, 1, 4));
    std::vector<ExifItemTexts> records(static_cast<std::size_t>(threads - 1));
    std::vector<std::thread> helpers;
    for (ExifItemTexts& r : records)
        helpers.emplace_back([&work, &r] { work(r); });
    work(scan.record);
    for (std::thread& t : helpers)
        t.join();
    counts.exifCount = exif;
    counts.stopped = stopped;
    base.EndUpdate();
}

FolderScan ScanFolder(const std::string& folder, const std::string& masks, ReadFlags limits,
                      const std::function<void(int)>& progress, const ReadControl& control) {
    FolderScan scan;
    int error = 0;
    const std::vector<std::string> files = ListPictures(folder, masks, &error);
    ReadFolder(folder, files, scan, limits, progress, control);
    scan.counts.folderError = error;
    return scan;
}

namespace {

// A signed decimal number of at most `limit` degrees, as the reader writes one.
bool InDegreeRange(const std::string& text, double limit) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && stop == end && value >= -limit && value <= limit;
}

} // namespace

std::string MapUrl(const StringGrid& base, int pictNo) {
    const std::string& lat = base.Cell(ItemCol(kItemGpsLatitude), pictNo);
    const std::string& lon = base.Cell(ItemCol(kItemGpsLongitude), pictNo);
    if (!InDegreeRange(lat, 90) || !InDegreeRange(lon, 180)) return {};
    return "https://www.openstreetmap.org/?mlat=" + lat + "&mlon=" + lon + "#map=16/" + lat + "/" +
           lon;
}

std::string CounterText(const FolderCounts& counts) {
    return std::to_string(counts.exifCount) + "/" + std::to_string(counts.pictureCount);
}

} // namespace kamelune
