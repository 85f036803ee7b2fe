// X reports single presses only; this pairs two presses of the same button, close in time and
// place, into a double click. A third press starts over, as on systems with native double clicks.
#pragma once

#include <cstdint>

namespace VSTGUI {

class DoubleClickDetector {
  public:
    static constexpr uint32_t kDefaultIntervalMs = 400;
    static constexpr int kDefaultDistance = 4;

    explicit DoubleClickDetector(uint32_t intervalMs = kDefaultIntervalMs, int distance = kDefaultDistance)
        : intervalMs_(intervalMs), distance_(distance) {}

    // GUI thread. timeMs is the event's server time (wraps around). True when the press completes
    // a double click.
    bool press(unsigned int button, int x, int y, uint32_t timeMs);

  private:
    uint32_t intervalMs_;
    int distance_;
    bool armed_ = false;
    unsigned int button_ = 0;
    int x_ = 0;
    int y_ = 0;
    uint32_t time_ = 0;
};

}  // namespace VSTGUI
