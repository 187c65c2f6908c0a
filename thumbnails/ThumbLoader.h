// The thumbnails the cache lacks, made on worker threads that live as long as the loader. Pages
// queue their pictures under a build number and drop them by it; a page change never waits for a
// thumbnail being made: its result comes back under its old build number and is not used.
#pragma once

#include "thumbnails/ThumbnailCache.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kamelune {

class ThumbLoader {
public:
    // ObtainThumbnail's arguments.
    struct Job {
        std::string cacheFolder, folder, name, fileSizeText;
        // Before the picture is read (tests: a slow disk); only the loader's end cuts it short.
        std::chrono::milliseconds delay{0};
    };
    // Called on a worker as each job is done: the build and the job's place in it.
    using Done = std::function<void(int build, std::size_t k, ThumbnailOutcome outcome)>;

    explicit ThumbLoader(int threads = DefaultThreads());
    ThumbLoader(const ThumbLoader&) = delete;
    ThumbLoader& operator=(const ThumbLoader&) = delete;
    // Drops what is queued and waits for the thumbnails being made.
    ~ThumbLoader();

    // Queues a build's jobs, in order, behind any queued before.
    void Submit(int build, std::vector<Job> jobs, Done done);
    // Drops the build's jobs not started, and abandons those being made (they report as
    // failures, which their page no longer reads).
    void Cancel(int build);
    int Threads() const { return static_cast<int>(workers_.size()); }
    // Workers making a thumbnail now.
    int Working() const;

    static int DefaultThreads();

private:
    struct Request {
        int build;
        std::size_t k;
        Job job;
        Done done;
    };
    struct Worker {
        std::jthread thread;
        int build = 0; // of the job being made; 0: none
        std::atomic<bool> cancel{false};
    };
    void Work(Worker& me, std::stop_token stop);

    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    std::deque<Request> queue_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

} // namespace kamelune
