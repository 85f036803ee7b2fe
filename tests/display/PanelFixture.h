// An Orbitone instance made without dlopen, with a host that records automation, and helpers that
// paint its panel into an offscreen context and read the pixels back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/vstgui/CColor.h"
#include "effect/QuillEffect.h"
#include "plugin/sdk/aeffect.h"
#include "plugin/vst/Lumo.h"

namespace VSTGUI {
class COffscreenContext;
}

// Colours read back from a premultiplied surface may be one off in each channel.
::testing::AssertionResult colorNear(const VSTGUI::CColor& actual, const VSTGUI::CColor& expected);

// Mouse flags as the view reports them.
constexpr double kLeft = 1, kRight = 2, kControlKey = 4, kShiftKey = 8;

class PanelFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the mouse variables and paints one frame; its pixels stay readable until the next frame.
    void frame(double x, double y, double flags);
    // Runs draw inside a paint of a fresh, transparent surface.
    void paint(const std::function<void()>& draw);
    // Leaves the images unnamed, so that frames are drawn onto a transparent surface.
    void withoutArtwork();
    // Un-premultiplied colour of a pixel of the last frame.
    VSTGUI::CColor pixel(int x, int y) const;
    // Over [x0, x1) x [y0, y1) of the last frame: pixels with any opacity, highest alpha, alpha sum.
    int inkCount(int x0, int y0, int x1, int y1) const;
    int maxAlpha(int x0, int y0, int x1, int y1) const;
    int alphaSum(int x0, int y0, int x1, int y1) const;
    // Sets a slider as the host's parameter change would, then runs the slider section.
    void setSlider(int number, double value);
    // Parameter indices the host was sent automation for since the last clear.
    std::vector<int32_t> automatedIndices() const;
    // The values sent with them, in the same order.
    std::vector<float> automationValues() const;
    void clearAutomation();

    AEffect* record = nullptr;
    CLumo* adapter = nullptr;
    TQuillEffect* fx = nullptr;
    VSTGUI::COffscreenContext* context = nullptr;
};
