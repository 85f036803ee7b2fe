// How a test waits for something another process or thread brings about (a window, a paint, an
// event, a count): it repeats a step until the condition holds, however slow or loaded the machine.
// The bound only ends a run that would never get there; no working run comes near it.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace testsupport {

inline constexpr std::chrono::seconds kPollBound{30};

// True as soon as the condition holds; false when the bound passed first.
inline bool pollUntil(const std::function<bool()>& condition, const std::function<void()>& step,
                      std::chrono::milliseconds bound = kPollBound) {
    const auto giveUp = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        step();
        // Leaves the processor to whatever is being waited for; the length decides nothing.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace testsupport
