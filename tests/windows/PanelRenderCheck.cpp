// The panel painted through GDI+ into an offscreen image, from the DATA resources linked into this
// program, checked at the places the Linux panel tests check. Wine's GDI+ does not anti-alias fills,
// so only solid interiors and whole-pixel colours are compared.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "editor/vstgui/CBitmap.h"
#include "tests/windows/PanelRender.h"

namespace {

constexpr double kLeft = 1;

}  // namespace

TEST(PanelRender, Artwork) {
    PanelRender panel;
    panel.frame(-100, -100, 0);
    VSTGUI::CBitmap background(VSTGUI::CResourceDescription(1));
    EXPECT_EQ(static_cast<double>(background.getWidth()), static_cast<double>(1130))
        << "resource 1 decodes 1130 wide";
    EXPECT_EQ(static_cast<double>(background.getHeight()), static_cast<double>(540))
        << "resource 1 decodes 540 high";
    VSTGUI::CBitmap radar(VSTGUI::CResourceDescription(0));
    EXPECT_EQ(static_cast<double>(radar.getWidth()), static_cast<double>(500))
        << "resource 0 decodes 500 wide";
    int matching = 0, compared = 0;
    for (const auto& p :
         {std::make_pair(5, 5), std::make_pair(1120, 5), std::make_pair(5, 535), std::make_pair(700, 530)}) {
        VSTGUI::CColor expected;
        background.readPixel(p.first, p.second, expected);
        ++compared;
        matching += panel.pixel(p.first, p.second) == expected ? 1 : 0;
    }
    EXPECT_EQ(matching, compared) << "background image shows outside the radar and controls";
}

TEST(PanelRender, Knob) {
    PanelRender panel;
    panel.setSlider(6, 30);
    const double x = 770 + 13 + 126;
    panel.frame(x, 227, 0);
    panel.frame(x, 227, kLeft);
    EXPECT_EQ(static_cast<double>(panel.fx().sliders[6]), static_cast<double>(0))
        << "a press on the zone control sets its middle";
    VSTGUI::CBitmap knob(VSTGUI::CResourceDescription(2));
    EXPECT_EQ(static_cast<double>(knob.getWidth()), static_cast<double>(32)) << "resource 2 decodes 32 wide";
    int compared = 0, matching = 0;
    for (int kx = 0; kx < 32; ++kx) {
        VSTGUI::CColor expected;
        knob.readPixel(kx, 7, expected);
        if (expected.alpha != 255) continue;
        ++compared;
        matching += panel.pixel(897 + kx, 228) == expected ? 1 : 0;
    }
    EXPECT_TRUE(compared > 10 && matching == compared)
        << "the knob image is drawn with its left edge at x 897"
        << ": " << std::to_string(matching) + " of " + std::to_string(compared) + " opaque pixels match";
}

TEST(PanelRender, RadarDots) {
    PanelRender panel;
    panel.withoutArtwork();
    panel.setSlider(12, 1);  // two inputs
    TQuillEffect& fx = panel.fx();
    fx.var.ch[0].posX = 0.25;
    fx.var.ch[0].posY = 0.25;
    fx.var.ch[0].shownX = 0.75;
    fx.var.ch[0].shownY = 0.5;
    fx.var.ch[1].posX = 0.1;
    fx.var.ch[1].posY = 0.9;
    fx.var.ch[1].shownX = 0.6;
    fx.var.ch[1].shownY = 0.8;
    panel.frame(-100, -100, 0);
    const struct {
        int x, y;
        VSTGUI::CColor color;
        const char* what;
    } dots[] = {{145, 145, {0, 255, 0, 255}, "CH1 target dot"},
                {395, 270, {0, 191, 0, 255}, "CH1 current dot"},
                {70, 470, {255, 0, 0, 255}, "CH2 target dot"},
                {320, 420, {191, 0, 0, 255}, "CH2 current dot"}};
    for (const auto& d : dots)
        EXPECT_TRUE(panel.pixel(d.x, d.y) == d.color) << d.what << ": " << describe(panel.pixel(d.x, d.y));
}

TEST(PanelRender, Meters) {
    PanelRender panel;
    panel.withoutArtwork();
    panel.fx().var.inPeakL = 1.0;
    panel.fx().var.inPeakR = 1.2;
    panel.fx().var.outPeak[0] = 0.5;
    panel.frame(-100, -100, 0);
    const VSTGUI::CColor belowFullScale{0, 229, 0, 204};
    EXPECT_TRUE(colorNear(panel.pixel(538, 31), belowFullScale)) << "input meter top"
                                                                 << ": " << describe(panel.pixel(538, 31));
    EXPECT_TRUE(colorNear(panel.pixel(538, 529), belowFullScale)) << "input meter bottom"
                                                                  << ": " << describe(panel.pixel(538, 529));
    EXPECT_EQ(static_cast<int>(panel.pixel(538, 30).alpha), 0) << "input meter stops at y 31";
    EXPECT_TRUE(colorNear(panel.pixel(543, 31), VSTGUI::CColor{255, 51, 51, 204}))
        << "full-scale meter colour"
        << ": " << describe(panel.pixel(543, 31));
    EXPECT_TRUE(colorNear(panel.pixel(559, 178), VSTGUI::CColor{0, 229, 229, 204}))
        << "output meter height"
        << ": " << describe(panel.pixel(559, 178));
    EXPECT_EQ(static_cast<int>(panel.pixel(559, 177).alpha), 0) << "output meter top edge";
}

// The frame cache against full frames: the same moves on two panels, every pixel compared.
TEST(PanelRender, CachedFrames) {
    PanelRender cached;
    PanelRender full;
    full.useFrameCache(false);
    std::string difference;
    int frames = 0;
    for (PanelRender* panel : {&cached, &full}) {
        panel->setSlider(12, 1);
        panel->setSlider(20, 1);
        panel->setSlider(22, 0.6);
    }
    for (int i = 0; i < 8 && difference.empty(); ++i) {
        for (PanelRender* panel : {&cached, &full}) {
            TQuillEffect& fx = panel->fx();
            fx.var.ch[0].shownX = 0.5 + 0.3 * std::cos(0.4 * i);
            fx.var.ch[0].shownY = 0.5 + 0.3 * std::sin(0.4 * i);
            fx.var.ch[1].shownX = 0.2 + 0.05 * i;
            fx.var.inPeakL = 0.1 * i;
            fx.var.outPeak[3] = 1.1 - 0.1 * i;
            // A drag along the Smoothing control from the fourth frame on.
            panel->frame(800 + 20 * i, 247, i >= 3 ? 1 : 0);
        }
        difference = cached.firstDifference(full);
        ++frames;
    }
    EXPECT_TRUE(difference.empty()) << "cached frames equal full frames (" + std::to_string(frames) +
                                           " frames)"
                                    << ": " << difference;
}
