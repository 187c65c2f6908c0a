// Catches a step that hangs, and only that: the test program ends with a message when the step
// has not returned after a limit far beyond any busy machine's pace. Nothing is timed otherwise;
// a test makes the work it must not wait for last hours, so that waiting for it is a hang.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace kamelune::test {

// A simulated slow disk that only a stop or a loader's end cuts short.
inline constexpr std::chrono::milliseconds kHours{std::chrono::hours(3)};

class Watchdog {
public:
    explicit Watchdog(std::string step, std::chrono::seconds limit = std::chrono::seconds(120))
        : step_(std::move(step)), thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!over_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "hang: %s did not return\n", step_.c_str());
                  std::abort();
              }
          }) {}
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        over_.notify_all();
        thread_.join();
    }

private:
    std::string step_;
    std::mutex mutex_;
    std::condition_variable over_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace kamelune::test
