// Catches a step that hangs, and only that: the test program ends with a message when the step
// has not returned after a limit far beyond any busy machine's pace. Nothing is timed otherwise;
// a test makes the work it must not wait for last hours, so that waiting for it is a hang.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

namespace kamelune::test {

// A simulated slow disk that only a stop or a loader's end cuts short.
inline constexpr std::chrono::milliseconds kHours{std::chrono::hours(3)};

class Watchdog {
public:
    explicit Watchdog(std::string step)
        : thread_([step = std::move(step), over = over_.get_future()] {
              if (over.wait_for(std::chrono::minutes(2)) == std::future_status::timeout) {
                  std::fprintf(stderr, "hang: %s did not return\n", step.c_str());
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        over_.set_value();
        thread_.join();
    }

private:
    std::promise<void> over_;
    std::thread thread_;
};

} // namespace kamelune::test
