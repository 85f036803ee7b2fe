// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "editor/vstgui/x11/X11ButtonState.h"

#include <X11/X.h>

using namespace VSTGUI;

TEST(X11ButtonState, PointerButtonsMapToToolkitBits) {
    EXPECT_EQ(buttonBitOf(1), kLButton);
    EXPECT_EQ(buttonBitOf(2), kMButton);
    EXPECT_EQ(buttonBitOf(3), kRButton);
    EXPECT_EQ(buttonBitOf(8), kButton4);
    EXPECT_EQ(buttonBitOf(9), kButton5);
    for (unsigned int wheel = 4; wheel <= 7; ++wheel) {
        EXPECT_TRUE(isWheelButton(wheel));
        EXPECT_EQ(buttonBitOf(wheel), 0);
    }
    EXPECT_FALSE(isWheelButton(1));
    EXPECT_FALSE(isWheelButton(8));
}

TEST(X11ButtonState, MasksGiveButtonsAndModifiersWithAltAs64) {
    EXPECT_EQ(buttonStateFromMask(Button1Mask | ShiftMask), kLButton | kShift);
    EXPECT_EQ(buttonStateFromMask(Button3Mask | ControlMask | Mod1Mask), kRButton | kControl | kAlt);
    EXPECT_EQ(buttonStateFromMask(Button2Mask), kMButton);
    // Lock and the other modifiers are not part of the toolkit's state.
    EXPECT_EQ(buttonStateFromMask(LockMask | Mod2Mask | Mod4Mask), 0);
    EXPECT_EQ(modifiersFromMask(Button1Mask | ShiftMask | Mod1Mask), kShift | kAlt);
}

TEST(X11ButtonState, WheelButtonsStepOneNotchOnTheirAxis) {
    EXPECT_EQ(wheelStepOf(4).axis, kMouseWheelAxisY);
    EXPECT_EQ(wheelStepOf(4).distance, 1.0f);
    EXPECT_EQ(wheelStepOf(5).distance, -1.0f);
    EXPECT_EQ(wheelStepOf(6).axis, kMouseWheelAxisX);
    EXPECT_EQ(wheelStepOf(6).distance, -1.0f);
    EXPECT_EQ(wheelStepOf(7).axis, kMouseWheelAxisX);
    EXPECT_EQ(wheelStepOf(7).distance, 1.0f);
}
