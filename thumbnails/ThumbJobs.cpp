#include "ThumbJobs.h"

#include <algorithm>

namespace kamelune {

int ThumbJobs::DefaultThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

ThumbJobs::ThumbJobs(std::vector<Job> jobs, int threads, std::function<void(std::size_t)> onDone)
    : shared_(std::make_shared<Shared>()) {
    shared_->onDone = std::move(onDone);
    shared_->states.assign(jobs.size(), State::Queued);
    shared_->results.resize(jobs.size());
    shared_->jobs = std::move(jobs);
    const int n = std::max(1, std::min<int>(threads, static_cast<int>(shared_->jobs.size())));
    for (int i = 0; i < n && !shared_->jobs.empty(); ++i)
        threads_.emplace_back([s = shared_] { Work(*s); });
}

ThumbJobs::~ThumbJobs() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
    }
    for (std::thread& t : threads_)
        t.join();
}

void ThumbJobs::Work(Shared& s) {
    for (;;) {
        std::size_t k;
        {
            std::lock_guard lock(s.mutex);
            while (s.next < s.jobs.size() && s.states[s.next] != State::Queued)
                ++s.next;
            if (s.stop || s.next >= s.jobs.size()) return;
            k = s.next++;
            s.states[k] = State::Running;
        }
        const Job& j = s.jobs[k];
        ThumbnailOutcome r = ObtainThumbnail(j.cacheFolder, j.folder, j.name, j.fileSizeText);
        {
            std::lock_guard lock(s.mutex);
            s.results[k] = std::move(r);
            s.states[k] = State::Done;
        }
        s.done.notify_all();
        if (s.onDone) s.onDone(k);
    }
}

bool ThumbJobs::Done(std::size_t k) const {
    std::lock_guard lock(shared_->mutex);
    return shared_->states.at(k) == State::Done;
}

ThumbnailOutcome ThumbJobs::Take(std::size_t k) {
    Shared& s = *shared_;
    std::unique_lock lock(s.mutex);
    s.done.wait(lock, [&] { return s.states.at(k) == State::Done; });
    return std::move(s.results[k]);
}

} // namespace kamelune
