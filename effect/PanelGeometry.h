// The two facts about the panel that the effect itself needs: its size, which the description
// declares as the editor's, and the radar square, in which the slider section measures the animation
// boxes. The rest of the panel's geometry is the display's, in the same namespace
// (display/PanelLayout.h). Panel pixels, origin top-left.
#pragma once

namespace panel_layout {

struct Rect {
    int x, y, w, h;
};

// The whole panel, which is also the editor's size.
constexpr int kWidth = 1130;
constexpr int kHeight = 540;

// The radar square; the radar picture covers it exactly.
constexpr Rect kRadar = {20, 20, 500, 500};

}  // namespace panel_layout
