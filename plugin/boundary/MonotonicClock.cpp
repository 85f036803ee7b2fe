#include "plugin/boundary/MonotonicClock.h"

#include <chrono>

namespace platform {

// The standard library's steady clock is the system's monotonic clock on every platform we build for
// (CLOCK_MONOTONIC on Linux, the performance counter on Windows).
long long monotonicMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace platform
