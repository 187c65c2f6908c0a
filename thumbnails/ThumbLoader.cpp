#include "ThumbLoader.h"

#include <algorithm>

namespace kamelune {

int ThumbLoader::DefaultThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

ThumbLoader::ThumbLoader(int threads) {
    for (int i = 0; i < std::max(1, threads); ++i)
        threads_.emplace_back([this] { Work(); });
}

ThumbLoader::~ThumbLoader() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    for (std::thread& t : threads_)
        t.join();
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
}

void ThumbLoader::Work() {
    for (;;) {
        Request r;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
            if (stop_) return;
            r = std::move(queue_.front());
            queue_.pop_front();
        }
        const Job& j = r.job;
        ThumbnailOutcome outcome = ObtainThumbnail(j.cacheFolder, j.folder, j.name, j.fileSizeText);
        if (r.done) r.done(r.build, r.k, std::move(outcome));
    }
}

} // namespace kamelune
