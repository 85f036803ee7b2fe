// Small value types shared by views and the frame: mouse results, button bits, wheel axes.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
};

typedef int32_t CButtonState;

enum CButton : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
};

enum CMouseWheelAxis : int32_t { kMouseWheelAxisX = 0, kMouseWheelAxisY = 1 };

enum CDrawStyle : int32_t { kDrawStroked = 0, kDrawFilled = 1, kDrawFilledAndStroked = 2 };

}  // namespace VSTGUI
