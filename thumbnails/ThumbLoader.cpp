#include "ThumbLoader.h"

#include <algorithm>

namespace kamelune {

int ThumbLoader::DefaultThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

ThumbLoader::ThumbLoader(int threads) {
    for (int i = 0; i < std::max(1, threads); ++i)
        workers_.push_back(std::make_unique<Worker>());
    for (auto& w : workers_)
        w->thread = std::jthread([this, me = w.get()](std::stop_token stop) { Work(*me, stop); });
}

ThumbLoader::~ThumbLoader() {
    {
        std::lock_guard lock(mutex_);
        queue_.clear();
        for (auto& w : workers_)
            w->cancel = true;
    }
    // Each worker stops, woken from its wait; the workers go (and are joined) before the queue.
    for (auto& w : workers_)
        w->thread.request_stop();
}

void ThumbLoader::Submit(int build, std::vector<Job> jobs, Done done) {
    {
        std::lock_guard lock(mutex_);
        for (std::size_t k = 0; k < jobs.size(); ++k)
            queue_.push_back({build, k, std::move(jobs[k]), done});
    }
    wake_.notify_all();
}

void ThumbLoader::Cancel(int build) {
    std::lock_guard lock(mutex_);
    std::erase_if(queue_, [build](const Request& r) { return r.build == build; });
    for (auto& w : workers_)
        if (w->build == build) w->cancel = true;
}

int ThumbLoader::Working() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(
        std::count_if(workers_.begin(), workers_.end(), [](const auto& w) { return w->build; }));
}

void ThumbLoader::Work(Worker& me, std::stop_token stop) {
    for (;;) {
        Request r;
        {
            std::unique_lock lock(mutex_);
            me.build = 0;
            if (!wake_.wait(lock, stop, [this] { return !queue_.empty(); })) return;
            r = std::move(queue_.front());
            queue_.pop_front();
            me.build = r.build;
            me.cancel = false;
        }
        const Job& j = r.job;
        if (j.delay.count() > 0) {
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, stop, j.delay, [] { return false; });
            if (stop.stop_requested()) return;
        }
        ThumbnailOutcome outcome =
            ObtainThumbnail(j.cacheFolder, j.folder, j.name, j.fileSizeText, &me.cancel);
        if (r.done) r.done(r.build, r.k, std::move(outcome));
    }
}

} // namespace kamelune
