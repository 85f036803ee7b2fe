#include "editor/vstgui/x11/DoubleClickDetector.h"

#include <cstdlib>

namespace VSTGUI {

bool DoubleClickDetector::press(unsigned int button, int x, int y, uint32_t timeMs) {
    const bool closeEnough = std::abs(x - x_) <= distance_ && std::abs(y - y_) <= distance_;
    const bool soonEnough = timeMs - time_ <= intervalMs_;
    if (armed_ && button == button_ && closeEnough && soonEnough) {
        armed_ = false;
        return true;
    }
    armed_ = true;
    button_ = button;
    x_ = x;
    y_ = y;
    time_ = timeMs;
    return false;
}

}  // namespace VSTGUI
