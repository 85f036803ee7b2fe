// The panel's geometry, in one table with the size and radar square the effect declares
// (effect/PanelGeometry.h): the display draws, hit-tests and lays out its variables with it, the
// artwork generator paints the background to match it, and the snapshot tool sizes its surface by
// it. Panel pixels, origin top-left.
#pragma once

#include <cmath>

#include "effect/PanelGeometry.h"

namespace panel_layout {

// The controls: places relative to the slider panel's top-left, controls 1 to 23 by number - 1, in
// the panel's drawing order. Control 10 is the input checkbox; the knob travels inside the others.
constexpr int kControlsLeft = 580;
constexpr int kControlsTop = 100;
constexpr int kControlCount = 23;
constexpr Rect kControls[kControlCount] = {
    {190, 0, 280, 15},   {190, 20, 280, 15},  {190, 50, 280, 15},  {190, 70, 280, 15},  {190, 100, 280, 15},
    {190, 120, 280, 15}, {190, 140, 280, 15}, {190, 170, 280, 15}, {190, 190, 280, 15}, {190, 210, 15, 15},
    {190, 230, 280, 15}, {120, 290, 130, 15}, {120, 320, 130, 15}, {120, 340, 130, 15}, {120, 360, 130, 15},
    {120, 380, 130, 15}, {120, 400, 130, 15}, {360, 290, 130, 15}, {360, 320, 130, 15}, {360, 340, 130, 15},
    {360, 360, 130, 15}, {360, 380, 130, 15}, {360, 400, 130, 15},
};

// Control n (1 to 23) in panel pixels.
constexpr Rect control(int number) {
    const Rect& r = kControls[number - 1];
    return {kControlsLeft + r.x, kControlsTop + r.y, r.w, r.h};
}

// The two animation columns start with their choice controls (12 and 18).
constexpr int kCh1ColumnLeft = kControlsLeft + 120;
constexpr int kCh2ColumnLeft = kControlsLeft + 360;
constexpr int kColumnWidth = 130;
constexpr int kAnimationTop = kControlsTop + 290;

// The level meter: eight bars (inputs left and right, then outputs L, R, C, LFE, Ls, Rs) growing up
// from the scale's bottom; a level v is drawn kMeterScaleHeight x v^kMeterExponent pixels tall.
constexpr int kMeterBarLefts[8] = {537, 543, 558, 564, 570, 576, 582, 588};
constexpr int kMeterBarWidth = 4;
constexpr int kMeterTop = 30;
constexpr int kMeterScaleHeight = 500;
constexpr double kMeterExponent = 0.5;
constexpr int kMeterLeft = kMeterBarLefts[0];
constexpr int kMeterRight = kMeterBarLefts[7] + kMeterBarWidth;
constexpr int kMeterBottom = kMeterTop + kMeterScaleHeight;
// The dB marks printed beside the meter in the background image.
constexpr int kMeterMarks[] = {0, 1, 3, 6, 10, 14, 20, 30, 40, 60};

// Where a level of mark dB below full scale reaches.
inline double meterMarkY(int mark) {
    return kMeterBottom - kMeterScaleHeight * std::pow(10.0, -mark * kMeterExponent / 20.0);
}

// The build text's place, bottom right.
constexpr int kBuildTextX = 1065;
constexpr int kBuildTextY = 520;

}  // namespace panel_layout
