// The motion modes against their algorithms, step by step, with the generator's known sequence.
#include <gtest/gtest.h>

#include <xmmintrin.h>
#include <algorithm>
#include <cmath>
#include <vector>

#include "effect/PanningEngine.h"
#include "effect/QuillEffect.h"
#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"
#include "runtime/RandomSource.h"

namespace {

VstTimeInfo transport{};

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&transport);
    return 0;
}

enum Parameter { kSmoothing = 6, kAnimation1 = 11, kSpeed1 = 12, kXScale1 = 13, kXOffset1 = 15 };

struct Instance {
    Instance() : record(createOrbitoneInstance(host)) {
        transport.flags = kVstTransportPlaying;
        record->setParameter(record, kSmoothing, 0);
    }
    ~Instance() { record->dispatcher(record, effClose, 0, 0, nullptr, 0); }
    TQuillEffect& effect() const {
        return *static_cast<TQuillEffect*>(static_cast<CLumo*>(record->object)->effect);
    }
    void start() {
        record->dispatcher(record, effOpen, 0, 0, nullptr, 0);
        record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0);
    }
    void setMode(float normalised, float speed = 0.75f) {
        record->setParameter(record, kAnimation1, normalised);
        record->setParameter(record, kSpeed1, speed);  // 30 rpm
    }
    // One frame; answers CH1's target position after it.
    std::pair<double, double> frame() {
        float in0 = 0.5f, in1 = 0.5f, zero = 0;
        float out[6];
        float* inputs[6] = {&in0, &in1, &zero, &zero, &zero, &zero};
        float* outputs[6] = {&out[0], &out[1], &out[2], &out[3], &out[4], &out[5]};
        record->processReplacing(record, inputs, outputs, 1);
        return {effect().var.ch[0].posX, effect().var.ch[0].posY};
    }
    AEffect* record;
};

double clampUnit(double v) {
    return v > 0 ? std::min(v, 1.0) : 0;
}
double wrap(double a) {
    return a < 0 ? a + 360 : (a >= 360 ? a - 360 : a);
}
double sgn(double v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
constexpr double kRad = 0.0174532925;
constexpr double kStep = 6 * 30 / 44100.0;

}  // namespace

TEST(Cruise, FollowsItsTwoJitteredAngles) {
    Instance plugin;
    plugin.setMode(0.5f);
    plugin.start();
    RandomSource random;
    double ax = 0, ay = 0;
    for (int i = 0; i < 3000; ++i) {
        const double r1 = random.next(), r2 = random.next();
        const double jx = (50 - r1 * 100 / 32767) * 0.00001;
        const double jy = (50 - r2 * 200 / 32767) * 0.00002;
        const double x = clampUnit(std::cos(ax * kRad) * 0.5 + 0.5);
        const double y = clampUnit(std::sin(ay * kRad) * 0.5 + 0.5);
        const auto pos = plugin.frame();
        ASSERT_DOUBLE_EQ(pos.first, x) << i;
        ASSERT_DOUBLE_EQ(pos.second, y) << i;
        ax = wrap(ax + kStep + sgn(kStep) * jx);
        ay = wrap(ay + kStep + sgn(kStep) * jy);
    }
}

TEST(Randomize, TravelsStraightSegmentsFromWhereItStands) {
    Instance plugin;
    plugin.setMode(0.75f);
    plugin.start();
    RandomSource random;
    // The first moving sample starts a segment at the current position: no jump.
    double fromX = 0.5, fromY = 0.5, toX = 0.5, toY = 0.5, fraction = 1, length = 0;
    for (int i = 0; i < 5000; ++i) {
        if (!(fraction < 1) || length <= 0) {
            fraction = 0;
            fromX = toX;
            fromY = toY;
            const double rx = random.next() / 32767.0;
            toX = toX < 0.5 ? std::min(1.0, toX + rx) : std::max(0.0, toX - rx);
            const double ry = random.next() / 32767.0;
            toY = toY < 0.5 ? std::min(1.0, toY + ry) : std::max(0.0, toY - ry);
            length = std::sqrt((fromY - toY) * (fromY - toY) + (fromX - toX) * (fromX - toX));
        } else {
            fraction += (kStep * 0.009) / (length + 0.00001);
        }
        const auto pos = plugin.frame();
        ASSERT_DOUBLE_EQ(pos.first, clampUnit((1 - fraction) * fromX + fraction * toX)) << i;
        ASSERT_DOUBLE_EQ(pos.second, clampUnit((1 - fraction) * fromY + fraction * toY)) << i;
        if (i == 0) {
            EXPECT_DOUBLE_EQ(pos.first, 0.5);
            EXPECT_DOUBLE_EQ(pos.second, 0.5);
        }
    }
}

// Plays each mode for a second, then switches to Randomize. The switch runs the slider section, which
// puts the channel back at its sliders' position (the centre); with no smoothing the target is what is
// heard, and Randomize must go on from there without a jump.
TEST(Randomize, ASwitchFromAnotherModeGoesOnFromWhereTheChannelIs) {
    const std::vector<std::vector<float>> runs = {
        {0.25f}, {0.5f}, {0.75f, 0.0f}};  // Rotate; Cruise; Randomize, Off
    for (const std::vector<float>& modes : runs) {
        SCOPED_TRACE(::testing::Message() << "after mode " << modes.back() * 4);
        Instance plugin;
        plugin.setMode(modes.front());
        plugin.start();
        for (const float mode : modes) {
            plugin.setMode(mode);
            for (int i = 0; i < 44100; ++i) plugin.frame();
        }
        plugin.setMode(0.75f);
        const PanChannel& ch = plugin.effect().var.ch[0];
        double x = ch.posX, y = ch.posY;
        EXPECT_DOUBLE_EQ(x, 0.5);
        EXPECT_DOUBLE_EQ(y, 0.5);
        double longestStep = 0, path = 0;
        for (int i = 0; i < 20000; ++i) {
            const auto pos = plugin.frame();
            const double step = std::hypot(pos.first - x, pos.second - y);
            longestStep = std::max(longestStep, step);
            path += step;
            x = pos.first;
            y = pos.second;
        }
        // 30 rpm travels 0.054 * 30 / 44100 = 0.00004 of the square per sample.
        EXPECT_LT(longestStep, 0.0001);
        EXPECT_GT(path, 0.5);
    }
}

TEST(FishBowl, CirclesWithAnEasedRadius) {
    Instance plugin;
    plugin.setMode(1.0f);
    plugin.start();
    RandomSource random;
    double direction = 1, rate = 44100 / 44100.0 * 0.1, target = 0, radius = 0, angle = 0;
    int targetChanges = 0;
    for (int i = 0; i < 200000; ++i) {
        if (random.next() / 32767.0 > 0.99997) {
            if (random.next() / 32767.0 >= 0.98) direction = -direction;
            target = random.next() / 32767.0 * 0.5 + 0.5;
            ++targetChanges;
        }
        radius += kStep * rate * (target - radius);
        const double inset = (1 - radius) * 0.5;
        const double x = clampUnit((std::cos(angle * kRad) * 0.5 + 0.5) * radius + inset);
        const double y = clampUnit((std::sin(angle * kRad) * 0.5 + 0.5) * radius + inset);
        const auto pos = plugin.frame();
        ASSERT_DOUBLE_EQ(pos.first, x) << i;
        ASSERT_DOUBLE_EQ(pos.second, y) << i;
        angle = wrap(angle + kStep * direction);
    }
    EXPECT_GT(targetChanges, 0);
}

TEST(Transport, PlayStateAndRestartOfTheMotion) {
    Instance plugin;
    plugin.setMode(0.25f);
    plugin.start();
    transport.flags = kVstTransportPlaying | kVstTransportRecording;
    plugin.frame();
    EXPECT_EQ(plugin.effect().var.playState, 5);
    transport.flags = kVstTransportRecording;
    plugin.frame();
    EXPECT_EQ(plugin.effect().var.playState, 4);
    EXPECT_EQ(plugin.effect().var.ch[0].motionStarted, 1);
    transport.flags = 0;
    const auto held = plugin.frame();
    EXPECT_EQ(plugin.effect().var.playState, 0);
    EXPECT_EQ(plugin.effect().var.ch[0].motionStarted, 0);
    EXPECT_EQ(plugin.frame(), held);
    transport.flags = kVstTransportPlaying;
    const auto restarted = plugin.frame();
    EXPECT_NEAR(restarted.first, 0.5, 1e-6);  // Rotate starts again at the back centre
    EXPECT_NEAR(restarted.second, 1.0, 1e-6);
}

TEST(Motion, ScaleZeroWithAnOffsetKeepsTheMiddleLine) {
    Instance plugin;
    plugin.setMode(0.25f, 1.0f);
    plugin.record->setParameter(plugin.record, kXScale1, 0.0f);
    plugin.record->setParameter(plugin.record, kXOffset1, 0.75f);  // +0.5
    plugin.start();
    for (int i = 0; i < 2000; ++i) ASSERT_DOUBLE_EQ(plugin.frame().first, 0.5);
}

TEST(Processing, DenormalModeIsRestoredAfterEachCall) {
    Instance plugin;
    plugin.start();
    const unsigned before = _mm_getcsr();
    plugin.frame();
    EXPECT_EQ(_mm_getcsr(), before);
}

TEST(Publish, AChannelThatIsNotProcessedKeepsItsLastShownPosition) {
    Instance plugin;
    plugin.record->setParameter(plugin.record, 9, 1.0f);   // two inputs
    plugin.record->setParameter(plugin.record, 2, 0.25f);  // CH2 left of centre
    plugin.start();
    plugin.frame();
    EXPECT_DOUBLE_EQ(plugin.effect().var.ch[1].shownX, 0.25);
    plugin.record->setParameter(plugin.record, 9, 0.0f);  // one input: CH2 rests
    plugin.frame();
    EXPECT_DOUBLE_EQ(plugin.effect().var.ch[1].shownX, 0.25);
    plugin.record->setParameter(plugin.record, 2, 1.0f);
    plugin.frame();
    EXPECT_DOUBLE_EQ(plugin.effect().var.ch[1].shownX, 0.25);
    EXPECT_DOUBLE_EQ(plugin.effect().var.ch[0].shownX, 0.5);
}

// The audio thread's steps of one frame with a host's parameter change on another thread landing
// between the gain computation and the publishing: the change puts the recompute marker into the
// gain position, which must never reach the display.
TEST(Publish, AParameterChangeBeforeThePublishingNeverShowsTheMarker) {
    Instance plugin;
    plugin.start();
    plugin.frame();
    TQuillEffect& effect = plugin.effect();
    PanChannel& ch = effect.var.ch[0];
    EXPECT_DOUBLE_EQ(ch.shownX, 0.5);
    computeGains(effect.var, ch, ch.posX, ch.posY);
    plugin.record->setParameter(plugin.record, 0, 0.9f);  // CH1 Left - Right to 80
    EXPECT_EQ(ch.gainX, kForceGainRecompute);
    publishPosition(ch);
    EXPECT_DOUBLE_EQ(ch.shownX, 0.5);
    EXPECT_DOUBLE_EQ(ch.shownY, 0.5);
    plugin.frame();  // no smoothing: the next frame shows the new position
    EXPECT_NEAR(ch.shownX, 0.9, 1e-6);
}
