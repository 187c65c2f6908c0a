// The thumbnails the cache lacks, made on worker threads that live as long as the loader. Pages
// queue their pictures under a build number and drop them by it; a page change never waits for a
// thumbnail being made: its result comes back under its old build number and is not used.
#pragma once

#include "catalogue/MyUtils.h"

#include <condition_variable>
#include <deque>
#include <functional>
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
    // Drops the build's jobs not started; those being made still report.
    void Cancel(int build);
    int Threads() const { return static_cast<int>(threads_.size()); }

    static int DefaultThreads();

private:
    struct Request {
        int build;
        std::size_t k;
        Job job;
        Done done;
    };
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Request> queue_;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

} // namespace kamelune
