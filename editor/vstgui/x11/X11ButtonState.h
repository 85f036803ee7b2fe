// Translation of X's pointer buttons and modifier masks into the toolkit's button state.
#pragma once

#include "editor/vstgui/ViewTypes.h"

namespace VSTGUI {

// X button numbers: 1 left, 2 middle, 3 right, 4 to 7 the wheel, 8 and 9 the extra buttons.
bool isWheelButton(unsigned int xButton);
// The toolkit bit of a pointer button (left 2, middle 4, right 8, extra 256 and 512); 0 for others.
CButtonState buttonBitOf(unsigned int xButton);
// Buttons 1 to 3 and Shift, Control and Alt (Mod1) of an X state mask.
CButtonState buttonStateFromMask(unsigned int xState);
// Shift, Control and Alt only.
CButtonState modifiersFromMask(unsigned int xState);

struct WheelStep {
    CMouseWheelAxis axis;
    float distance;
};
// Button 4 up (+1), 5 down (-1), 6 left (-1), 7 right (+1) on the horizontal axis.
WheelStep wheelStepOf(unsigned int xButton);

}  // namespace VSTGUI
