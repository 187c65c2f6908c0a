// Thumbnails of a page made on worker threads, in page order; each one done is announced, and
// the page takes the results in order as they are there.
#pragma once

#include "catalogue/MyUtils.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kamelune {

class ThumbJobs {
public:
    // ObtainThumbnail's arguments.
    struct Job {
        std::string cacheFolder, folder, name, fileSizeText;
    };
    // Workers start at once; threads: how many (at least 1). onDone, when set, hears of each
    // job as it is done, on the worker's thread.
    ThumbJobs(std::vector<Job> jobs, int threads, std::function<void(std::size_t k)> onDone = {});
    ThumbJobs(const ThumbJobs&) = delete;
    ThumbJobs& operator=(const ThumbJobs&) = delete;
    // Jobs not started yet are dropped; running ones are waited for.
    ~ThumbJobs();

    bool Done(std::size_t k) const;
    // The result of job k, waiting for it when it is not done.
    ThumbnailOutcome Take(std::size_t k);

    static int DefaultThreads();

private:
    enum class State { Queued, Running, Done };
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        std::vector<Job> jobs;
        std::vector<State> states;
        std::vector<ThumbnailOutcome> results;
        std::size_t next = 0;
        bool stop = false;
        std::function<void(std::size_t)> onDone;
    };
    static void Work(Shared& s);

    std::shared_ptr<Shared> shared_;
    std::vector<std::thread> threads_;
};

} // namespace kamelune
