#include "catalogue/FolderScan.h"

#include "platform/FileUtil.h"

#include <algorithm>
#include <atomic>
#include <dirent.h>
#include <fnmatch.h>
#include <mutex>
#include <optional>
#include <strings.h>
#include <sys/stat.h>
#include <thread>

namespace kamelune {
namespace {

// The wait of a simulated slow disk, cut short by a stop: a read asked to stop never waits it out.
void SlowDisk(const ReadControl& control) {
    const auto until = std::chrono::steady_clock::now() + control.delay;
    while (!control.stop.stop_requested()) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(2)));
    }
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

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string MasksToList(const std::string& masks, const ExifReadOptions& options) {
    return options.otherFormats ? masks + ";" + kRawHeicMasks : masks;
}

std::vector<std::string> ListPictures(const std::string& folder, const std::string& masks,
                                      int* error) {
    std::vector<std::string> names;
    const std::vector<std::string> patterns = SplitMasks(masks);
    // "*.ext" is a test of the name's end; fnmatch only for the other masks (a folder of
    // thousands of names against fourteen masks).
    const auto plainSuffix = [](const std::string& p) {
        return p.size() > 2 && p[0] == '*' && p[1] == '.' &&
               p.find_first_of("*?[\\", 1) == std::string::npos;
    };
    const auto matches = [&](const std::string& p, const std::string& name) {
        if (!plainSuffix(p)) return ::fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
        const std::size_t n = p.size() - 1;
        return name.size() >= n && ::strcasecmp(name.c_str() + name.size() - n, p.c_str() + 1) == 0;
    };
    DIR* dir = ::opendir(folder.c_str());
    if (error) *error = dir ? 0 : errno;
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        bool match = false;
        for (const std::string& p : patterns)
            match = match || matches(p, name);
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
    // NameLess's order, by each name's folded text made once rather than at each comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names) {
        std::string folded = name;
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        keyed.emplace_back(std::move(folded), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t k = 0; k < keyed.size(); ++k)
        names[k] = std::move(keyed[k].second);
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

ReadHelpers::ReadHelpers() {
    const int n = std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 0, 3);
    for (int k = 1; k <= n; ++k)
        threads_.emplace_back([this, k](std::stop_token stop) { Serve(k, stop); });
}

void ReadHelpers::Serve(int k, std::stop_token stop) {
    int seen = 0;
    for (;;) {
        // A while awake first: a thread parked on a core that went to sleep can take
        // milliseconds to wake, longer than the listing that comes before the work.
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(10);
        while (round_.load() == seen && !stop.stop_requested() &&
               std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
        std::unique_lock lock(mutex_);
        if (!wake_.wait(lock, stop, [&] { return round_.load() != seen; })) return;
        seen = round_;
        if (k > wanted_) continue;
        const std::function<void(int)>& job = *job_;
        lock.unlock();
        job(k);
        lock.lock();
        if (--pending_ == 0) done_.notify_all();
    }
}

void ReadHelpers::Run(int n, const std::function<void(int)>& job) {
    n = std::clamp(n, 0, Count());
    {
        const std::lock_guard lock(mutex_);
        job_ = &job;
        wanted_ = pending_ = n;
        ++round_;
    }
    wake_.notify_all();
    job(0);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return pending_ == 0; });
}

int PictureRowCount(int fileCount, bool allPictures) {
    return allPictures ? fileCount : std::min(fileCount, kMaxPictures);
}

void ReadFolder(const std::string& folder, const std::vector<std::string>& files, FolderScan& scan,
                ReadFlags limits, const std::function<void(int)>& progress,
                const ReadControl& control, ReadHelpers* helpers) {
    StringGrid& base = scan.base;
    FolderCounts& counts = scan.counts;
    counts = {};
    counts.fileCount = static_cast<int>(files.size());
    counts.pictureCount = PictureRowCount(counts.fileCount, limits.allPictures);
    base.BeginUpdate();
    ClearGrid(base);
    SetTitleRow(base, counts.pictureCount + 1, limits.items);
    scan.orientations.assign(static_cast<std::size_t>(counts.pictureCount) + 1, 0);
    // One pass: a single open and head read of each file gives both its quick kind (for the
    // count) and its items. Files past the limit are only counted. A few threads take the files
    // in turn, each writing the rows of its own files.
    // Files opened by name in the folder, not by a path walked each time (the path when the folder
    // itself cannot be opened: each file then fails as it would).
    const Fd folderFd(OpenFolder(folder));
    const auto where = [&](int i) {
        return folderFd.get() >= 0 ? files[static_cast<std::size_t>(i)]
                                   : JoinPath(folder, files[static_cast<std::size_t>(i)]);
    };
    const int at = folderFd.get() >= 0 ? folderFd.get() : kWorkingFolder;
    std::atomic<int> next{0}, exif{0};
    std::atomic<bool> stopped{false};
    std::mutex progressMutex;
    const auto work = [&](ExifItemTexts& items) {
        FileKind kind = FileKind::Unread, quick = FileKind::Unknown;
        int found = 0;
        for (;;) {
            if (control.stop.stop_requested()) {
                stopped = true;
                break;
            }
            const int i = next.fetch_add(1);
            if (i >= counts.fileCount) break;
            if (control.delay.count() > 0) SlowDisk(control);
            const std::string path = where(i);
            if (i < counts.pictureCount) {
                if (progress) {
                    const std::lock_guard lock(progressMutex);
                    progress(i + 1);
                }
                // A file that vanished or cannot be read is still a row, with the kind it reached.
                ReadExifFile(path, kind, items, limits.exif, &quick, at);
                WriteParaToGrid(base, i + 1, files[i], kind, items, limits);
                scan.orientations[static_cast<std::size_t>(i) + 1] =
                    static_cast<std::uint8_t>(items.displayOrientation);
            } else {
                CheckJpegKind(path, quick, limits.exif, at);
            }
            found += quick == FileKind::Exif;
        }
        exif += found;
    };
    std::optional<ReadHelpers> own;
    if (!helpers) helpers = &own.emplace();
    const int threads = std::min(helpers->Count() + 1, std::clamp(counts.fileCount / 64, 1, 4));
    std::vector<ExifItemTexts> records(static_cast<std::size_t>(threads - 1));
    helpers->Run(threads - 1, [&](int k) {
        work(k == 0 ? scan.record : records[static_cast<std::size_t>(k) - 1]);
    });
    counts.exifCount = exif;
    counts.stopped = stopped;
    base.EndUpdate();
}

FolderScan ScanFolder(const std::string& folder, const std::string& masks, ReadFlags limits,
                      const std::function<void(int)>& progress, const ReadControl& control) {
    FolderScan scan;
    ReadHelpers helpers; // starting while the folder is listed
    int error = 0;
    const std::vector<std::string> files =
        ListPictures(folder, MasksToList(masks, limits.exif), &error);
    ReadFolder(folder, files, scan, limits, progress, control, &helpers);
    scan.counts.folderError = error;
    return scan;
}

std::string CounterText(const FolderCounts& counts) {
    return std::to_string(counts.exifCount) + "/" + std::to_string(counts.pictureCount);
}

} // namespace kamelune
