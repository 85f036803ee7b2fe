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
    Instance() : record(createPluginInstance(host, new TQuillEffect())) {
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

// Speed 30 rpm at 44100 Hz: degrees per sample.
constexpr double kStep = 6 * 30 / 44100.0;
constexpr int kSamplesPerSecond = 44100;

// The change of an angle kept in [0, 360) over one sample, across a wrap.
double angleDelta(double before, double after) {
    double delta = after - before;
    if (delta > 180) delta -= 360;
    if (delta < -180) delta += 360;
    return delta;
}

}  // namespace

// Cruise: the horizontal and vertical angles both start the motion at 0 (right edge, middle).
TEST(Cruise, TheFirstMovingSampleLandsOnTheRightEdgeMiddle) {
    Instance plugin;
    plugin.setMode(0.5f);
    plugin.start();
    const auto first = plugin.frame();
    EXPECT_DOUBLE_EQ(first.first, 1.0);
    EXPECT_DOUBLE_EQ(first.second, 0.5);
}

// The horizontal angle's jitter lies in [-0.0005, 0.0005] and averages 0; the vertical one's lies in
// [-0.003, 0.001] and averages -0.001, so over one second at 30 rpm the horizontal angle turns
// 180 degrees and the vertical one about 44.1 degrees less.
TEST(Cruise, AnglesAdvanceByTheStepWithTheirJitterAndTheVerticalOneLags) {
    Instance plugin;
    plugin.setMode(0.5f);
    plugin.start();
    const PanChannel& ch = plugin.effect().var.ch[0];
    double turnedX = 0, turnedY = 0;
    plugin.frame();
    for (int i = 1; i < kSamplesPerSecond; ++i) {
        const double x = ch.cruiseAngleX, y = ch.cruiseAngleY;
        plugin.frame();
        const double dx = angleDelta(x, ch.cruiseAngleX), dy = angleDelta(y, ch.cruiseAngleY);
        ASSERT_GE(dx, kStep - 0.0005 - 1e-12) << i;
        ASSERT_LE(dx, kStep + 0.0005 + 1e-12) << i;
        ASSERT_GE(dy, kStep - 0.003 - 1e-12) << i;
        ASSERT_LE(dy, kStep + 0.001 + 1e-12) << i;
        turnedX += dx;
        turnedY += dy;
    }
    const double steps = kSamplesPerSecond - 1;
    EXPECT_NEAR(turnedX, steps * kStep, 0.5);
    EXPECT_NEAR(turnedY, steps * (kStep - 0.001), 1.5);
}

// At 60 rpm the angles wrap within [0, 360) about once a second, in either direction, and the point
// stays inside the box that scale and offset give; where the horizontal angle wraps the point is on
// the box's right edge.
TEST(Cruise, WrapsInBothDirectionsAndStaysInsideItsBox) {
    for (const float speed : {1.0f, 0.0f}) {  // +60 and -60 rpm
        Instance plugin;
        plugin.setMode(0.5f, speed);
        plugin.record->setParameter(plugin.record, kXScale1, 0.5f);
        plugin.record->setParameter(plugin.record, kXOffset1, 0.625f);  // +0.25
        plugin.start();
        const PanChannel& ch = plugin.effect().var.ch[0];
        int wraps = 0;
        for (int i = 0; i < 5 * kSamplesPerSecond / 2; ++i) {
            const double before = ch.cruiseAngleX;
            const auto pos = plugin.frame();
            ASSERT_GE(ch.cruiseAngleX, 0.0) << i;
            ASSERT_LT(ch.cruiseAngleX, 360.0) << i;
            ASSERT_GE(ch.cruiseAngleY, 0.0) << i;
            ASSERT_LT(ch.cruiseAngleY, 360.0) << i;
            ASSERT_GE(pos.first, 0.25) << i;
            ASSERT_LE(pos.first, 0.75) << i;
            if (std::fabs(ch.cruiseAngleX - before) > 180) {
                ++wraps;
                EXPECT_NEAR(pos.first, 0.75, 1e-6) << i;
            }
        }
        // Forwards from 0 it wraps after one and two turns; backwards at once, then after each turn.
        EXPECT_EQ(wraps, speed > 0.5f ? 2 : 3) << "speed " << speed;
    }
}

// Randomize: the first moving sample stays where the channel stands, and the first segment heads
// from there towards the other half of each axis by the generator's first two values.
TEST(Randomize, TheFirstSegmentStartsWhereItStandsAndUsesTheFirstTwoDraws) {
    Instance plugin;
    plugin.setMode(0.75f);
    plugin.start();
    const auto first = plugin.frame();
    EXPECT_DOUBLE_EQ(first.first, 0.5);
    EXPECT_DOUBLE_EQ(first.second, 0.5);
    const PanChannel& ch = plugin.effect().var.ch[0];
    RandomSource generator;
    const double r1 = generator.next(), r2 = generator.next();
    EXPECT_DOUBLE_EQ(ch.randFromX, 0.5);
    EXPECT_DOUBLE_EQ(ch.randFromY, 0.5);
    // 0.5 is not below the middle, so each coordinate moves down.
    EXPECT_DOUBLE_EQ(ch.randToX, std::max(0.0, 0.5 - r1 / 32767));
    EXPECT_DOUBLE_EQ(ch.randToY, std::max(0.0, 0.5 - r2 / 32767));
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

// Along a segment the point moves |step| x 0.009 per sample on the straight line between its ends;
// each new end moves from the old one towards the other half of its axis and stays in the square.
TEST(Randomize, TravelsStraightSegmentsAtItsSpeedTowardsTheOtherHalf) {
    Instance plugin;
    plugin.setMode(0.75f);
    plugin.start();
    const PanChannel& ch = plugin.effect().var.ch[0];
    auto previous = plugin.frame();
    int segments = 1, steps = 0;
    for (int i = 1; i < 5 * kSamplesPerSecond; ++i) {
        const double fromX = ch.randFromX, fromY = ch.randFromY, toX = ch.randToX, toY = ch.randToY;
        const auto pos = plugin.frame();
        ASSERT_GE(pos.first, 0.0);
        ASSERT_LE(pos.first, 1.0);
        ASSERT_GE(pos.second, 0.0);
        ASSERT_LE(pos.second, 1.0);
        if (ch.randFromX != fromX || ch.randFromY != fromY) {
            ++segments;
            // A new segment starts at the old end, and the old end is where the point now is.
            ASSERT_DOUBLE_EQ(ch.randFromX, toX);
            ASSERT_DOUBLE_EQ(ch.randFromY, toY);
            ASSERT_DOUBLE_EQ(pos.first, toX);
            ASSERT_DOUBLE_EQ(pos.second, toY);
            ASSERT_TRUE(toX < 0.5 ? ch.randToX >= toX : ch.randToX <= toX) << i;
            ASSERT_TRUE(toY < 0.5 ? ch.randToY >= toY : ch.randToY <= toY) << i;
            ASSERT_GE(std::min(ch.randToX, ch.randToY), 0.0);
            ASSERT_LE(std::max(ch.randToX, ch.randToY), 1.0);
        } else if (ch.randLength > 0.01 && ch.randFraction <= 1) {  // not the overshooting last sample
            const double dx = pos.first - previous.first, dy = pos.second - previous.second;
            ASSERT_NEAR(std::sqrt(dx * dx + dy * dy), kStep * 0.009, kStep * 0.009 * 0.002) << i;
            // On the line from the segment's start to its end.
            const double cross = (toX - fromX) * (pos.second - fromY) - (toY - fromY) * (pos.first - fromX);
            ASSERT_NEAR(cross, 0.0, 1e-9) << i;
            ++steps;
        }
        previous = pos;
    }
    // 0.054 x 30 units a second for five seconds, over segments shorter than the square's diagonal.
    EXPECT_GE(segments, 6);
    EXPECT_GT(steps, 4 * kSamplesPerSecond);
}

// Fish Bowl draws one value per sample and changes its radius target when that value is above
// 0.99997 of the range (then one more draw for the direction, one for the target): the run's target
// changes are exactly where the generator's sequence puts them, about one every 32768 samples.
TEST(FishBowl, ChangesItsTargetWhereTheGeneratorsSequenceSays) {
    constexpr int kSamples = 10 * kSamplesPerSecond;
    struct Change {
        int sample;
        double target;
        bool reversed;
    };
    std::vector<Change> expected;
    RandomSource generator;
    for (int i = 0; i < kSamples; ++i) {
        if (generator.next() / 32767.0 > 0.99997) {
            const bool reversed = generator.next() / 32767.0 >= 0.98;
            expected.push_back({i, generator.next() / 32767.0 * 0.5 + 0.5, reversed});
        }
    }
    ASSERT_GE(expected.size(), 8u);
    ASSERT_LE(expected.size(), 35u);

    Instance plugin;
    plugin.setMode(1.0f);
    plugin.start();
    const PanChannel& ch = plugin.effect().var.ch[0];
    std::vector<Change> seen;
    double target = 0, direction = 1;
    for (int i = 0; i < kSamples; ++i) {
        plugin.frame();
        if (ch.bowlTarget != target) {
            seen.push_back({i, ch.bowlTarget, ch.bowlDirection != direction});
            target = ch.bowlTarget;
            direction = ch.bowlDirection;
        }
        ASSERT_EQ(ch.bowlDirection, direction) << "the direction only turns with a new target, at " << i;
    }
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t k = 0; k < seen.size(); ++k) {
        EXPECT_EQ(seen[k].sample, expected[k].sample) << k;
        EXPECT_DOUBLE_EQ(seen[k].target, expected[k].target) << k;
        EXPECT_EQ(seen[k].reversed, expected[k].reversed) << k;
    }
}

// The point starts in the middle (radius 0 until the first target), circles at |step| degrees per
// sample, its radius eases towards the target without passing it, and it stays inside the circle's
// square of that radius.
TEST(FishBowl, CirclesAtItsSpeedWithARadiusEasingTowardsTheTarget) {
    Instance plugin;
    plugin.setMode(1.0f);
    plugin.start();
    const PanChannel& ch = plugin.effect().var.ch[0];
    const auto first = plugin.frame();
    EXPECT_DOUBLE_EQ(first.first, 0.5);
    EXPECT_DOUBLE_EQ(first.second, 0.5);
    EXPECT_DOUBLE_EQ(ch.bowlRate, 0.1);  // 44100 / sample rate x 0.1
    for (int i = 1; i < 10 * kSamplesPerSecond; ++i) {
        const double angle = ch.bowlAngle, radius = ch.bowlRadius, target = ch.bowlTarget;
        const auto pos = plugin.frame();
        ASSERT_NEAR(angleDelta(angle, ch.bowlAngle), kStep * ch.bowlDirection, 1e-9) << i;
        ASSERT_GE(ch.bowlAngle, 0.0);
        ASSERT_LT(ch.bowlAngle, 360.0);
        if (ch.bowlTarget == target) {
            ASSERT_LE(std::fabs(ch.bowlTarget - ch.bowlRadius), std::fabs(target - radius) + 1e-15) << i;
            ASSERT_GE((ch.bowlRadius - radius) * (target - radius), 0.0) << i;
        }
        // The sample draws with the radius after its easing step.
        const double inset = (1 - ch.bowlRadius) * 0.5;
        ASSERT_GE(pos.first, inset - 1e-12) << i;
        ASSERT_LE(pos.first, 1 - inset + 1e-12) << i;
        ASSERT_GE(pos.second, inset - 1e-12) << i;
        ASSERT_LE(pos.second, 1 - inset + 1e-12) << i;
    }
    EXPECT_GE(ch.bowlRadius, 0.5);  // a target was drawn and the radius followed it
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

// Processing runs with denormals flushed: a denormal input reads as zero and a result that would be
// denormal becomes zero, so every output of a block of denormal input is exactly 0. Without the
// guard the centred inputs come out as denormals of about half their size. The caller's mode comes
// back after the call.
TEST(Processing, DenormalsAreFlushedDuringTheCallAndTheModeIsRestored) {
    Instance plugin;
    plugin.start();
    _mm_setcsr(_mm_getcsr() & ~0x8040u);  // the caller runs without flush-to-zero
    constexpr int kFrames = 64;
    std::vector<float> tiny(kFrames, 1e-40f), zero(kFrames, 0.0f);
    std::vector<std::vector<float>> out(6, std::vector<float>(kFrames, 1.0f));
    float* inputs[6] = {tiny.data(), tiny.data(), zero.data(), zero.data(), zero.data(), zero.data()};
    float* outputs[6] = {out[0].data(), out[1].data(), out[2].data(),
                         out[3].data(), out[4].data(), out[5].data()};
    ASSERT_EQ(std::fpclassify(tiny[0]), FP_SUBNORMAL);  // the input really is denormal here
    const unsigned before = _mm_getcsr();               // after the check, which may raise the denormal flag
    plugin.record->processReplacing(plugin.record, inputs, outputs, kFrames);
    EXPECT_EQ(_mm_getcsr(), before);
    for (int k = 0; k < 6; ++k) {
        for (int j = 0; j < kFrames; ++j) ASSERT_EQ(out[k][j], 0.0f) << "output " << k << " frame " << j;
    }
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
