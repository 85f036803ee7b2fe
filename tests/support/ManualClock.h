// The plug-in's monotonic clock in the test's hand: while one lives, every timer of the plug-in
// (the timed refresh, the editor's busy idle, the display-refresh throttle) reads the time it was
// set to, and the time moves only when the test moves it. One at a time.
#pragma once

#include <atomic>

#include "plugin/boundary/MonotonicClock.h"

namespace testsupport {

class ManualClock {
  public:
    explicit ManualClock(long long startMs = 1000) {
        now_.store(startMs);
        platform::replaceMonotonicClock(&read);
    }
    ~ManualClock() { platform::replaceMonotonicClock(nullptr); }
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    void advance(long long ms) { now_.fetch_add(ms); }
    long long now() const { return now_.load(); }

  private:
    static long long read() { return now_.load(); }
    static inline std::atomic<long long> now_{0};
};

}  // namespace testsupport
