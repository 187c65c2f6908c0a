// Reading a folder into its base table: the pictures a folder lists, one pass over their files,
// the counts. Qt-free; run off the user-interface thread (FolderRead does).
#pragma once

#include "catalogue/ItemColumns.h"
#include "pictures/PictureFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace kamelune {

constexpr int kMaxPictures = 2000;

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
// The masks a read lists by: masks, and kRawHeicMasks with the reader's otherFormats.
std::string MasksToList(const std::string& masks, const ExifReadOptions& options);

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
    std::stop_token stop; // none: the read runs to its end
    std::chrono::milliseconds delay{0};
};

// Threads that share a folder read with the thread that runs it, started before the files are
// listed: a core woken from sleep may take milliseconds to start one, which the listing hides.
class ReadHelpers {
public:
    ReadHelpers(); // one fewer than the cores, at most three
    ReadHelpers(const ReadHelpers&) = delete;
    ReadHelpers& operator=(const ReadHelpers&) = delete;
    ~ReadHelpers() = default; // stops and joins the threads

    int Count() const { return static_cast<int>(threads_.size()); }
    // job(1) .. job(n) on n helpers (n <= Count()) and job(0) on the calling thread; returns when
    // all are done.
    void Run(int n, const std::function<void(int)>& job);

private:
    void Serve(int k, std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any wake_, done_;
    const std::function<void(int)>* job_ = nullptr;
    std::atomic<int> round_{0};
    int wanted_ = 0;
    int pending_ = 0;
    std::vector<std::jthread> threads_; // last: stopped and joined before what they use goes
};

// What reading a folder gives: its base table, the reader's record of the last file read, the
// counts, and by row the orientation to turn each picture upright by for display (also of a
// JFIF-first picture whose EXIF items are not read).
struct FolderScan {
    StringGrid base{kBaseCols, 1};
    ExifItemTexts record;
    FolderCounts counts;
    std::vector<std::uint8_t> orientations;
    // The view made of the table on the reading thread, when the read was asked for one.
    std::optional<StringGrid> view;
};

// Builds the base table of the folder's files in one pass: each file is opened and its head read
// once, for the EXIF count and (the first 2,000) for its row. progress(n) is called before the
// n-th row is read (1-based). helpers, when given, share the work (else threads of its own do).
void ReadFolder(const std::string& folder, const std::vector<std::string>& files, FolderScan& scan,
                ReadFlags limits, const std::function<void(int)>& progress = {},
                const ReadControl& control = {}, ReadHelpers* helpers = nullptr);
// Lists the folder's pictures by mask and builds their base table. Reads every file: run it off
// the user-interface thread.
FolderScan ScanFolder(const std::string& folder, const std::string& masks, ReadFlags limits,
                      const std::function<void(int)>& progress = {},
                      const ReadControl& control = {});

// "exifCount/pictureCount".
std::string CounterText(const FolderCounts& counts);

} // namespace kamelune
