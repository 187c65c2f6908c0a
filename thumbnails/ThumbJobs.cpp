#include "ThumbJobs.h"

#include <chrono>

namespace kamelune {

MakeJpegResult ThumbJobs::Run(const Job& job) {
    return MakeJpeg2(job.source, job.destination, 70, 88);
}

int ThumbJobs::DefaultThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? static_cast<int>(cores) - 1 : 1;
}

ThumbJobs::ThumbJobs(std::vector<Job> jobs, int threads) : shared_(std::make_shared<Shared>()) {
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
        MakeJpegResult r = Run(s.jobs[k]);
        {
            std::lock_guard lock(s.mutex);
            s.results[k] = std::move(r);
            s.states[k] = State::Done;
        }
        s.done.notify_all();
    }
}

MakeJpegResult ThumbJobs::Take(std::size_t k, const std::function<void()>& whileWaiting) {
    Shared& s = *shared_;
    std::unique_lock lock(s.mutex);
    while (s.states.at(k) != State::Done) {
        // Job k itself when nobody has it, else the next job nobody has: waiting idle would
        // leave a core unused.
        std::size_t j = k;
        if (s.states[k] != State::Queued) {
            j = s.next;
            while (j < s.jobs.size() && s.states[j] != State::Queued)
                ++j;
        }
        if (j < s.jobs.size() && s.states[j] == State::Queued) {
            s.states[j] = State::Running;
            lock.unlock();
            MakeJpegResult r = Run(s.jobs[j]);
            lock.lock();
            s.results[j] = std::move(r);
            s.states[j] = State::Done;
            continue;
        }
        s.done.wait_for(lock, std::chrono::milliseconds(15));
        if (s.states[k] != State::Done && whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    return s.results[k];
}

} // namespace kamelune
