#include "plugin/boundary/MonotonicClock.h"

#include <atomic>
#include <chrono>

namespace platform {

namespace {

// The standard library's steady clock is the system's monotonic clock on every platform we build for
// (CLOCK_MONOTONIC on Linux, the performance counter on Windows).
long long systemMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Read by the audio thread as well: a lock-free atomic, never a lock.
static_assert(std::atomic<MillisecondSource>::is_always_lock_free);
std::atomic<MillisecondSource> source{&systemMilliseconds};

}  // namespace

long long monotonicMilliseconds() {
    return source.load(std::memory_order_acquire)();
}

void replaceMonotonicClock(MillisecondSource replacement) {
    source.store(replacement != nullptr ? replacement : &systemMilliseconds, std::memory_order_release);
}

}  // namespace platform
