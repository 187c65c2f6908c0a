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
        w->thread = std::thread([this, me = w.get()] { Work(*me); });
}

ThumbLoader::~ThumbLoader() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        queue_.clear();
        for (auto& w : workers_)
            w->cancel = true;
    }
    wake_.notify_all();
    for (auto& w : workers_)
        w->thread.join();
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

void ThumbLoader::Work(Worker& me) {
    for (;;) {
        Request r;
        {
            std::unique_lock lock(mutex_);
            me.build = 0;
            wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
            if (stop_) return;
            r = std::move(queue_.front());
            queue_.pop_front();
            me.build = r.build;
            me.cancel = false;
        }
        const Job& j = r.job;
        if (j.delay.count() > 0) {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, j.delay, [this] { return stop_; })) return;
        }
        ThumbnailOutcome outcome =
            ObtainThumbnail(j.cacheFolder, j.folder, j.name, j.fileSizeText, &me.cancel);
        if (r.done) r.done(r.build, r.k, std::move(outcome));
    }
}

} // namespace kamelune
