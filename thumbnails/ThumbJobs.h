// Thumbnails of a page made on worker threads while the page is built. The page takes each
// result in page order; a thumbnail no worker has started yet is made by the page itself, so
// the user-interface thread is the last of the workers rather than a waiter.
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
    struct Job {
        std::string source, destination;
    };
    // Workers start at once; threads: how many besides the caller's (at least 1).
    ThumbJobs(std::vector<Job> jobs, int threads);
    ThumbJobs(const ThumbJobs&) = delete;
    ThumbJobs& operator=(const ThumbJobs&) = delete;
    // Jobs not started yet are dropped; running ones are waited for.
    ~ThumbJobs();

    // The result of job k. While it is not done, the caller makes job k or any other job no
    // worker has started, and otherwise waits, calling whileWaiting every few milliseconds (to
    // let the window repaint).
    MakeJpegResult Take(std::size_t k, const std::function<void()>& whileWaiting);

    static int DefaultThreads();

private:
    enum class State { Queued, Running, Done };
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        std::vector<Job> jobs;
        std::vector<State> states;
        std::vector<MakeJpegResult> results;
        std::size_t next = 0;
        bool stop = false;
    };
    static void Work(Shared& s);
    static MakeJpegResult Run(const Job& job);

    std::shared_ptr<Shared> shared_;
    std::vector<std::thread> threads_;
};

} // namespace kamelune
