// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "editor/vstgui/x11/DoubleClickDetector.h"

using VSTGUI::DoubleClickDetector;

TEST(DoubleClickDetector, SecondPressSoonAndCloseCompletesTheDoubleClick) {
    DoubleClickDetector detector(400, 4);
    EXPECT_FALSE(detector.press(1, 10, 10, 1000));
    EXPECT_TRUE(detector.press(1, 13, 6, 1400));
}

TEST(DoubleClickDetector, LateFarOrOtherButtonPressStartsOver) {
    DoubleClickDetector late(400, 4);
    EXPECT_FALSE(late.press(1, 10, 10, 1000));
    EXPECT_FALSE(late.press(1, 10, 10, 1401));
    // The late press itself arms the next pair.
    EXPECT_TRUE(late.press(1, 10, 10, 1500));

    DoubleClickDetector far(400, 4);
    EXPECT_FALSE(far.press(1, 10, 10, 1000));
    EXPECT_FALSE(far.press(1, 15, 10, 1100));

    DoubleClickDetector other(400, 4);
    EXPECT_FALSE(other.press(1, 10, 10, 1000));
    EXPECT_FALSE(other.press(3, 10, 10, 1100));
    EXPECT_TRUE(other.press(3, 10, 10, 1200));
}

TEST(DoubleClickDetector, ThirdPressIsAnOrdinaryPress) {
    DoubleClickDetector detector;
    EXPECT_FALSE(detector.press(1, 0, 0, 0));
    EXPECT_TRUE(detector.press(1, 0, 0, 100));
    EXPECT_FALSE(detector.press(1, 0, 0, 200));
    EXPECT_TRUE(detector.press(1, 0, 0, 300));
}

TEST(DoubleClickDetector, ServerTimeWrapAroundStillPairs) {
    DoubleClickDetector detector(400, 4);
    EXPECT_FALSE(detector.press(1, 5, 5, 0xFFFFFF00u));
    EXPECT_TRUE(detector.press(1, 5, 5, 0x40u));
}
