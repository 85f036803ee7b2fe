// Panel geometry the artwork has to match: the control rectangles the display hit-tests and
// draws knobs in, and the meter's dB marks.
#pragma once

#include <cmath>

namespace artwork {

struct ControlRect {
    int x, y, w, h;
};

// In the panel's drawing order; the knob travels inside each of these.
constexpr ControlRect kControls[] = {
    {770, 100, 280, 15}, {770, 120, 280, 15}, {770, 150, 280, 15}, {770, 170, 280, 15},
    {770, 200, 280, 15}, {770, 220, 280, 15}, {770, 240, 280, 15}, {770, 270, 280, 15},
    {770, 290, 280, 15}, {770, 310, 15, 15},  {770, 330, 280, 15}, {700, 390, 130, 15},
    {700, 420, 130, 15}, {700, 440, 130, 15}, {700, 460, 130, 15}, {700, 480, 130, 15},
    {700, 500, 130, 15}, {940, 390, 130, 15}, {940, 420, 130, 15}, {940, 440, 130, 15},
    {940, 460, 130, 15}, {940, 480, 130, 15}, {940, 500, 130, 15},
};

constexpr int kPanelWidth = 1130;
constexpr int kPanelHeight = 540;
constexpr int kRadarSize = 500;
constexpr int kRadarLeft = 20;
constexpr int kRadarTop = 20;

// Meter: bars from x 537 to 592, growing up from y 530; a level of m dB below full scale is drawn
// 500 x 10^(-m/40) pixels tall.
constexpr int kMeterLeft = 537;
constexpr int kMeterRight = 592;
constexpr int kMeterBottom = 530;
constexpr int kMeterMarks[] = {0, 1, 3, 6, 10, 14, 20, 30, 40, 60};

inline double meterMarkY(int mark) { return kMeterBottom - 500.0 * std::pow(10.0, -mark / 40.0); }

// Headings over the two animation columns.
constexpr int kCh1ColumnLeft = 700;
constexpr int kCh2ColumnLeft = 940;
constexpr int kColumnWidth = 130;
constexpr int kAnimationTop = 390;

}  // namespace artwork
