// Reading a folder into its base table on a thread of its own, stoppable between two files.
// Qt-free: the folder model runs one and carries its reports to the user-interface thread.
#pragma once

#include "catalogue/FolderScan.h"
#include "catalogue/ViewTable.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace kamelune {

class FolderRead {
public:
    struct Request {
        std::string folder;
        std::string masks = kPictureMasks;
        ReadFlags flags{};
        std::chrono::milliseconds delay{0}; // a pause before each file (tests: a slow disk)
        // The view to make of the whole table once it is read (on the reading thread).
        std::optional<ViewRecipe> view;
    };
    // Starts at once. progress(n) (before the n-th row) and done() are called on the reading
    // thread; done() is its last act, also after a stop. firstRows(), when set, is called first
    // in a folder of more than 2,000 rows to read, once its first rows are read, so that they can
    // be shown long before the rest.
    FolderRead(Request request, std::function<void(int)> progress, std::function<void()> done,
               std::function<void()> firstRows = {});
    FolderRead(const FolderRead&) = delete;
    FolderRead& operator=(const FolderRead&) = delete;
    // Stops the read and waits for the file being read (the thread's own end).
    ~FolderRead() = default;

    // The read ends before the next file; done() still follows.
    void Stop() { thread_.request_stop(); }
    // After done(): the table and counts (counts.stopped when a stop cut it short).
    FolderScan& Result() { return result_; }

    // After firstRows(): the first rows of the table alone.
    FolderScan& FirstRows() { return first_; }

    static constexpr int kFirstRows = 64;

private:
    FolderScan first_;
    FolderScan result_;
    std::jthread thread_; // last: it goes first, stopped and joined, before what it writes
};

} // namespace kamelune
