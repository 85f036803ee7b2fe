// The panel drawn through its frame cache against the same panel drawn in full every frame: two
// instances get the same parameter changes, pointer moves, motion and meter levels, and every frame's
// pixels must be the same. The cached one paints onto one surface all along, as onto a window's back
// buffer; the other onto a fresh surface each frame.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "display/PanelDisplay.h"
#include "display/TileDamage.h"
#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "effect/QuillEffect.h"
#include "plugin/sdk/aeffect.h"
#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"

namespace {

constexpr int kWidth = 1130;
constexpr int kHeight = 540;
constexpr double kLeftButton = 1, kControlKey = 4, kShiftKey = 8;

intptr_t quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Instance {
    explicit Instance(bool cached) {
        record = createOrbitoneInstance(quietHost);
        adapter = static_cast<CLumo*>(static_cast<AudioEffect*>(record->object));
        fx = static_cast<TQuillEffect*>(adapter->effect);
        panelOf(*fx).cache.setEnabled(cached);
        record->dispatcher(record, effOpen, 0, 0, nullptr, 0);
        record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0);
    }
    ~Instance() {
        if (surface != nullptr) surface->forget();
        record->dispatcher(record, effClose, 0, 0, nullptr, 0);
    }

    void paint(bool freshSurface) {
        if (freshSurface && surface != nullptr) {
            surface->forget();
            surface = nullptr;
        }
        if (surface == nullptr) surface = new VSTGUI::COffscreenContext(nullptr, kWidth, kHeight);
        adapter->currentContext = surface;
        fx->DoGfx();
        adapter->currentContext = nullptr;
    }

    AEffect* record = nullptr;
    CLumo* adapter = nullptr;
    TQuillEffect* fx = nullptr;
    VSTGUI::COffscreenContext* surface = nullptr;
};

// The first pixel where two surfaces differ, or "" when none does.
std::string firstDifference(VSTGUI::COffscreenContext& a, VSTGUI::COffscreenContext& b) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            VSTGUI::CColor p, q;
            a.getBitmap()->readPixel(x, y, p);
            b.getBitmap()->readPixel(x, y, q);
            if (p != q)
                return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(p.red) +
                       "," + std::to_string(p.green) + "," + std::to_string(p.blue) + "," +
                       std::to_string(p.alpha) + " vs " + std::to_string(q.red) + "," +
                       std::to_string(q.green) + "," + std::to_string(q.blue) + "," + std::to_string(q.alpha);
        }
    }
    return "";
}

class PanelFrameCacheTest : public ::testing::Test {
  protected:
    // Both instances get the same change.
    template <typename Change>
    void both(Change change) {
        change(*cached.fx);
        change(*direct.fx);
    }
    void setSlider(int number, double value) {
        both([&](TQuillEffect& fx) {
            fx.sliders[number] = value;
            fx.DoSlider();
        });
    }
    void pointer(double x, double y, double flags) {
        both([&](TQuillEffect& fx) {
            fx.mouseX = x;
            fx.mouseY = y;
            fx.mouseFlags = flags;
        });
    }
    void show(int channel, double x, double y) {
        both([&](TQuillEffect& fx) {
            fx.var.ch[channel].shownX = x;
            fx.var.ch[channel].shownY = y;
        });
    }
    void levels(double input, double output) {
        both([&](TQuillEffect& fx) {
            fx.var.inPeakL = input;
            fx.var.inPeakR = input * 0.5;
            for (int n = 0; n < 6; ++n) fx.var.outPeak[n] = output * (n + 1) / 6;
        });
    }
    // One frame each; the pixels must agree.
    void frame(const std::string& what) {
        cached.paint(false);
        direct.paint(true);
        ++frames;
        const std::string difference = firstDifference(*cached.surface, *direct.surface);
        ASSERT_EQ(difference, "") << what << ", frame " << frames;
    }

    Instance cached{true};
    Instance direct{false};
    int frames = 0;
};

TEST_F(PanelFrameCacheTest, CachedFramesEqualFullFramesThroughControlsDragsMotionAndMeters) {
    for (int i = 0; i < 3; ++i) frame("defaults");
    // A frame with nothing new repaints nothing, so the frames above were the cache's own.
    EXPECT_EQ(panelOf(*cached.fx).cache.lastRepaintArea(), 0);

    setSlider(12, 1);  // two inputs: the second channel's controls and dots
    frame("two inputs");
    EXPECT_GT(panelOf(*cached.fx).cache.lastRepaintArea(), 0);
    EXPECT_LT(panelOf(*cached.fx).cache.lastRepaintArea(), kWidth * kHeight / 2);

    // Both channels circling with their position sliders following, meters rising past the clip.
    setSlider(20, 1);
    setSlider(26, 2);
    for (int i = 0; i < 40; ++i) {
        const double a = i * 0.15;
        show(0, 0.5 + 0.4 * std::cos(a), 0.5 + 0.4 * std::sin(a));
        show(1, 0.5 + 0.3 * std::sin(2 * a), 0.5 + 0.2 * std::cos(a));
        levels(0.02 * i, 1.2 - 0.03 * i);
        frame("motion " + std::to_string(i));
    }
    setSlider(22, 0.5);  // a smaller box is drawn
    setSlider(31, -0.3);
    frame("animation boxes");

    // A drag on the radar, then along the Smoothing control, fine with Shift, reset with Control.
    setSlider(20, 0);
    pointer(150, 150, 0);
    frame("pointer rests on the radar");
    for (int i = 0; i < 8; ++i) {
        pointer(150 + 30 * i, 150 + 20 * i, kLeftButton);
        frame("radar drag " + std::to_string(i));
    }
    pointer(800, 247, 0);
    frame("pointer rests on a control");
    for (int i = 0; i < 6; ++i) {
        pointer(800 + 25 * i, 247, kLeftButton + (i > 3 ? kShiftKey : 0));
        frame("control drag " + std::to_string(i));
    }
    pointer(900, 247, kLeftButton + kControlKey);
    frame("control reset");
    pointer(-50, -50, 0);
    frame("pointer gone");

    // Texts that come and go: -Inf on the send controls, a choice without an item, one input again.
    setSlider(10, -60);
    frame("send at -Inf");
    frame("the frame after");
    setSlider(10, 0);
    setSlider(26, 2.5);
    frame("choice between items");
    setSlider(12, 0);
    frame("one input");
    levels(0, 0);
    for (int i = 0; i < 3; ++i) frame("meters falling");
}

TEST_F(PanelFrameCacheTest, CachedFramesEqualFullFramesUnderRandomChanges) {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> unit(0, 1);
    const int numbers[] = {1,  2,  3,  4,  5,  6,  7,  10, 11, 12, 13, 20,
                           21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
    const double extremes[] = {-1e9, -100, -60, -1, 0, 0.5, 1, 4, 10, 100, 1000, 1e9, NAN};
    for (int i = 0; i < 60; ++i) {
        const int number = numbers[random() % (sizeof numbers / sizeof numbers[0])];
        setSlider(number, random() % 4 == 0 ? extremes[random() % 13] : (unit(random) * 240 - 120));
        // Shown positions now and then outside the square, or not a number.
        const double x = random() % 8 == 0 ? 1000.0 : unit(random);
        show(static_cast<int>(random() % 2), x, random() % 9 == 0 ? NAN : unit(random));
        levels(unit(random) * 1.1, unit(random));
        pointer(unit(random) * kWidth, unit(random) * kHeight, static_cast<double>(random() % 16));
        frame("random step " + std::to_string(i) + " (slider " + std::to_string(number) + ")");
    }
}

TEST(PanelFrameCacheFallback, FramesWithoutTheBackgroundGoOntoThePaintAsTheyCame) {
    Instance cached(true);
    Instance direct(false);
    cached.fx->constStrings.clear();  // no artwork: nothing covers the surface
    direct.fx->constStrings.clear();
    for (int i = 0; i < 4; ++i) {
        for (Instance* instance : {&cached, &direct}) {
            instance->fx->var.ch[0].shownX = 0.2 * i;
            instance->paint(false);
        }
        ASSERT_EQ(firstDifference(*cached.surface, *direct.surface), "") << "frame " << i;
    }
}

TEST(TileDamage, ChangedTilesComeOutAsMergedRectangles) {
    TileDamage damage;
    damage.reset(100, 50);  // 7 x 4 tiles, the last ones partly outside
    const auto frame = [&](std::initializer_list<std::pair<PixelBox, uint64_t>> commands) {
        damage.beginFrame();
        for (const auto& c : commands) damage.add(c.first, c.second);
        return damage.finishFrame();
    };
    const PixelBox all{0, 0, 100, 50};
    const PixelBox dot{20, 20, 26, 26};       // tiles (1, 1)
    const PixelBox bar{40, 0, 60, 50};        // columns 2 and 3, every row
    const PixelBox outside{200, 0, 300, 50};  // beyond the surface

    auto changed = frame({{all, 1}, {dot, 2}});
    ASSERT_EQ(changed.size(), 1u);  // the first frame: everything
    EXPECT_EQ(changed[0].right, 100);
    EXPECT_EQ(changed[0].bottom, 50);

    EXPECT_TRUE(frame({{all, 1}, {dot, 2}, {outside, 9}}).empty());

    changed = frame({{all, 1}, {dot, 3}});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].left, 16);
    EXPECT_EQ(changed[0].top, 16);
    EXPECT_EQ(changed[0].right, 32);
    EXPECT_EQ(changed[0].bottom, 32);

    // A new command down two columns: one rectangle, merged over the rows.
    changed = frame({{all, 1}, {dot, 3}, {bar, 4}});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].left, 32);
    EXPECT_EQ(changed[0].right, 64);
    EXPECT_EQ(changed[0].top, 0);
    EXPECT_EQ(changed[0].bottom, 50);

    // The same commands in another order draw other pixels where they overlap.
    changed = frame({{all, 1}, {bar, 4}, {dot, 3}});
    EXPECT_TRUE(changed.empty());  // no overlap: the order within each tile is unchanged
    const PixelBox overDot{18, 18, 30, 30};
    frame({{all, 1}, {dot, 3}, {overDot, 5}});
    changed = frame({{all, 1}, {overDot, 5}, {dot, 3}});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].left, 16);
    EXPECT_EQ(changed[0].right, 32);

    damage.invalidate();
    EXPECT_EQ(frame({{all, 1}}).size(), 1u);
}

}  // namespace
