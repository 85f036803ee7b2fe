#include "editor/vstgui/x11/X11ButtonState.h"

#include <X11/X.h>

namespace VSTGUI {

namespace {
constexpr unsigned int kWheelUp = 4;
constexpr unsigned int kWheelDown = 5;
constexpr unsigned int kWheelLeft = 6;
constexpr unsigned int kWheelRight = 7;
constexpr unsigned int kExtraButton1 = 8;
constexpr unsigned int kExtraButton2 = 9;
}  // namespace

bool isWheelButton(unsigned int xButton) {
    return xButton >= kWheelUp && xButton <= kWheelRight;
}

CButtonState buttonBitOf(unsigned int xButton) {
    switch (xButton) {
        case Button1:
            return kLButton;
        case Button2:
            return kMButton;
        case Button3:
            return kRButton;
        case kExtraButton1:
            return kButton4;
        case kExtraButton2:
            return kButton5;
        default:
            return 0;
    }
}

CButtonState modifiersFromMask(unsigned int xState) {
    CButtonState state = 0;
    if (xState & ShiftMask) state |= kShift;
    if (xState & ControlMask) state |= kControl;
    if (xState & Mod1Mask) state |= kAlt;
    return state;
}

CButtonState buttonStateFromMask(unsigned int xState) {
    CButtonState state = modifiersFromMask(xState);
    if (xState & Button1Mask) state |= kLButton;
    if (xState & Button2Mask) state |= kMButton;
    if (xState & Button3Mask) state |= kRButton;
    return state;
}

WheelStep wheelStepOf(unsigned int xButton) {
    switch (xButton) {
        case kWheelUp:
            return {kMouseWheelAxisY, 1.0f};
        case kWheelDown:
            return {kMouseWheelAxisY, -1.0f};
        case kWheelLeft:
            return {kMouseWheelAxisX, -1.0f};
        case kWheelRight:
            return {kMouseWheelAxisX, 1.0f};
        default:
            return {kMouseWheelAxisY, 0.0f};
    }
}

}  // namespace VSTGUI
