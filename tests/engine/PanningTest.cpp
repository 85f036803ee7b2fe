// What a host hears: gains, sends, output gain, smoothing and motion measured on processed audio.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/host/TestHost.h"

namespace {

enum Parameter {
    kLeftRight1 = 0,
    kFrontBack1 = 1,
    kLeftRight2 = 2,
    kFrontBack2 = 3,
    kCenterInfluence = 4,
    kZone = 5,
    kSmoothing = 6,
    kSendC = 7,
    kSendLfe = 8,
    kInputs = 9,
    kOutput = 10,
    kAnimation1 = 11,
    kSpeed1 = 12,
    kXScale1 = 13,
    kYScale1 = 14,
    kXOffset1 = 15,
    kYOffset1 = 16,
};
enum Output { L = 0, R, C, LFE, Ls, Rs };

constexpr double kMonoSum = 2 * 0.708;  // both inputs at 1, one input

// Normalised value of a position slider for a place in the unit square.
float positionParameter(double unit) {
    return static_cast<float>(unit);
}

struct Gains {
    double out[6];
};

// The gains of one input: constant 1 on both inputs, sliders set, last frame of a short block.
Gains measure(double x, double y, std::initializer_list<std::pair<int, float>> settings = {}) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.setParameter(kLeftRight1, positionParameter(x));
    plugin.setParameter(kFrontBack1, positionParameter(y));
    for (const auto& s : settings) plugin.setParameter(s.first, s.second);
    plugin.start();
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 16);
    Gains g{};
    for (int n = 0; n < 6; ++n) g.out[n] = out[static_cast<size_t>(n)].back() / kMonoSum;
    return g;
}

}  // namespace

TEST(Panning, ReferenceGainsAcrossTheField) {
    struct Case {
        double x, y, l, r, c, ls, rs;
    } cases[] = {
        {0.5, 0.5, 0.293, 0.293, 0.293, 0.5, 0.5},
        {0.5, 0, 0.414, 0.414, 0.414, 0, 0},
        {0, 0, 1, 0, 0, 0, 0},
        {1, 0, 0, 1, 0, 0, 0},
        {0, 1, 0, 0, 0, 1, 0},
        {0.5, 1, 0, 0, 0, 0.7071, 0.7071},
    };
    for (const Case& k : cases) {
        const Gains g = measure(k.x, k.y);
        EXPECT_NEAR(g.out[L], k.l, 0.001) << k.x << "," << k.y;
        EXPECT_NEAR(g.out[R], k.r, 0.001) << k.x << "," << k.y;
        EXPECT_NEAR(g.out[C], k.c, 0.001) << k.x << "," << k.y;
        EXPECT_NEAR(g.out[Ls], k.ls, 0.001) << k.x << "," << k.y;
        EXPECT_NEAR(g.out[Rs], k.rs, 0.001) << k.x << "," << k.y;
        EXPECT_EQ(g.out[LFE], 0.0) << k.x << "," << k.y;
    }
}

TEST(Panning, SendsAndOutputGain) {
    const Gains plain = measure(0.5, 0.5);
    EXPECT_EQ(plain.out[LFE], 0.0);  // -60 dB is off, not merely quiet

    TestInstance plugin;
    plugin.setParameter(kSendLfe, 1.0f);  // +10 dB
    plugin.start();
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 4);
    EXPECT_NEAR(out[LFE][3], 2 * 0.708 * std::sqrt(10.0) * 0.708, 0.001);
    EXPECT_NEAR(out[LFE][3], 3.17, 0.005);

    const Gains sendC = measure(0.5, 0.5, {{kSendC, 1.0f}});
    EXPECT_NEAR(sendC.out[C] - plain.out[C], std::sqrt(10.0) * 0.708, 0.001);

    const Gains quiet = measure(0.5, 0.5, {{kOutput, 0.0f}, {kSendLfe, 1.0f}});
    const Gains loud = measure(0.5, 0.5, {{kSendLfe, 1.0f}});
    for (int n = 0; n < 6; ++n) EXPECT_NEAR(quiet.out[n], loud.out[n] * 0.1, 1e-6) << n;
}

TEST(Panning, TwoInputsPlaceEachOnItsOwn) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.setParameter(kInputs, 1.0f);
    plugin.setParameter(kLeftRight1, 0);
    plugin.setParameter(kFrontBack1, 0);
    plugin.setParameter(kLeftRight2, 1);
    plugin.setParameter(kFrontBack2, 1);
    plugin.start();
    const auto out = plugin.process({0.5f, 0.25f, 0, 0, 0, 0}, 8);
    EXPECT_NEAR(out[L][7], 0.5, 1e-6);
    EXPECT_NEAR(out[Rs][7], 0.25, 1e-6);
    EXPECT_NEAR(out[R][7], 0, 1e-6);
    EXPECT_NEAR(out[Ls][7], 0, 1e-6);
    EXPECT_EQ(out[LFE][7], 0);

    // Back to one input: the second input's place no longer sounds, also after a resume.
    plugin.setParameter(kInputs, 0.0f);
    plugin.dispatch(effMainsChanged, 0, 0);
    plugin.dispatch(effMainsChanged, 0, 1);
    const auto mono = plugin.process({0.5f, 0.25f, 0, 0, 0, 0}, 8);
    EXPECT_NEAR(mono[L][7], 0.75 * 0.708, 1e-6);
    EXPECT_NEAR(mono[Rs][7], 0, 1e-6);
}

TEST(Panning, OnlyTheFirstTwoInputsAreHeard) {
    TestInstance plugin;
    plugin.start();
    const auto out = plugin.process({0, 0, 1, 1, 1, 1}, 32);
    for (const auto& channel : out) {
        for (float v : channel) ASSERT_EQ(v, 0.0f);
    }
}

TEST(Smoothing, HundredMillisecondsReachesSixtyThreePercentAfterTheirTime) {
    TestInstance plugin;
    plugin.setParameter(kCenterInfluence, 0);  // no centre share: R is sin(x * pi / 2) at the front
    plugin.setParameter(kFrontBack1, 0);
    plugin.setParameter(kLeftRight1, 0);
    plugin.start();
    plugin.process({1, 1, 0, 0, 0, 0}, 44100 * 2);  // settle at the left
    plugin.setParameter(kLeftRight1, 1);
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 4410);
    const double x = std::asin(std::min(1.0, out[R][4409] / kMonoSum)) / (3.14159265358979 / 2);
    EXPECT_NEAR(x, 1 - std::exp(-1.0), 0.002);
}

TEST(Smoothing, ZeroFollowsAtOnce) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.setParameter(kCenterInfluence, 0);
    plugin.setParameter(kFrontBack1, 0);
    plugin.setParameter(kLeftRight1, 0);
    plugin.start();
    plugin.process({1, 1, 0, 0, 0, 0}, 8);
    plugin.setParameter(kLeftRight1, 1);
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 1);
    EXPECT_NEAR(out[R][0] / kMonoSum, 1.0, 1e-6);
    EXPECT_NEAR(out[L][0], 0.0, 1e-6);
}

TEST(Smoothing, TheFrontLeftCornerIsReachedWithoutSmoothing) {
    // Moving to (0, 0) must recompute the gains even though (0, 0) is where nothing was forced.
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.start();
    plugin.process({1, 1, 0, 0, 0, 0}, 8);
    plugin.setParameter(kLeftRight1, 0);
    plugin.setParameter(kFrontBack1, 0);
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 2);
    EXPECT_NEAR(out[L][1] / kMonoSum, 1.0, 1e-6);
    EXPECT_NEAR(out[Ls][1], 0.0, 1e-6);
}

TEST(Rotate, TurnsAQuarterInFifteenSecondsAtOneRpm) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.setParameter(kAnimation1, 0.25f);  // Rotate
    plugin.setPlaying(true);
    plugin.start();
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 661501);
    EXPECT_NEAR(out[Ls][0] / kMonoSum, 0.7071, 0.001);  // back centre
    EXPECT_NEAR(out[Rs][0] / kMonoSum, 0.7071, 0.001);
    EXPECT_NEAR(out[L][661500] / kMonoSum, 0.7071, 0.002);  // left middle
    EXPECT_NEAR(out[Ls][661500] / kMonoSum, 0.7071, 0.002);
    EXPECT_NEAR(out[R][661500], 0, 0.002);
    EXPECT_NEAR(out[C][661500], 0, 0.002);
}

TEST(Rotate, SpeedZeroAndAStoppedTransportHoldStill) {
    TestInstance still;
    still.setParameter(kSmoothing, 0);
    still.setParameter(kAnimation1, 0.25f);
    still.setParameter(kSpeed1, 0.5f);  // 0 rpm
    still.setPlaying(true);
    still.start();
    const auto held = still.process({1, 1, 0, 0, 0, 0}, 2000);
    EXPECT_NEAR(held[R][0] / kMonoSum, 0.7071, 0.001);  // angle 0: right middle
    EXPECT_EQ(held[R][0], held[R][1999]);

    TestInstance stopped;
    stopped.setParameter(kSmoothing, 0);
    stopped.setParameter(kAnimation1, 0.25f);
    stopped.start();
    const auto centre = stopped.process({1, 1, 0, 0, 0, 0}, 2000);
    EXPECT_NEAR(centre[Ls][1999] / kMonoSum, 0.5, 0.001);
    EXPECT_EQ(centre[Ls][0], centre[Ls][1999]);
}

TEST(Rotate, OffsetsClampAtTheEdge) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.setParameter(kAnimation1, 0.25f);
    plugin.setParameter(kSpeed1, 1.0f);    // 60 rpm
    plugin.setParameter(kXOffset1, 1.0f);  // pushed right of the square
    plugin.setPlaying(true);
    plugin.start();
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 44100);
    for (int j = 0; j < 44100; j += 97) {
        ASSERT_NEAR(out[L][j], 0, 1e-6) << j;
        ASSERT_NEAR(out[Ls][j], 0, 1e-6) << j;
    }
}

TEST(Precision, SingleRoundsTheDoubleResultAndInPlaceMatches) {
    TestInstance single;
    TestInstance twice;
    for (TestInstance* p : {&single, &twice}) {
        p->setParameter(kAnimation1, 0.5f);
        p->setParameter(kLeftRight1, 0.3f);
        p->setPlaying(true);
        p->start();
    }
    const auto f = single.process({0.3f, -0.7f, 0, 0, 0, 0}, 512);
    const auto d = twice.processDouble({0.3f, -0.7f, 0, 0, 0, 0}, 512);
    for (int n = 0; n < 6; ++n) {
        for (int j = 0; j < 512; ++j) ASSERT_EQ(f[n][j], static_cast<float>(d[n][j])) << n << "," << j;
    }

    TestInstance inPlace;
    inPlace.setParameter(kAnimation1, 0.5f);
    inPlace.setParameter(kLeftRight1, 0.3f);
    inPlace.setPlaying(true);
    inPlace.start();
    std::vector<std::vector<float>> buffers(6, std::vector<float>(512, 0.0f));
    std::fill(buffers[0].begin(), buffers[0].end(), 0.3f);
    std::fill(buffers[1].begin(), buffers[1].end(), -0.7f);
    std::vector<float*> pointers;
    for (auto& b : buffers) pointers.push_back(b.data());
    inPlace.effect()->processReplacing(inPlace.effect(), pointers.data(), pointers.data(), 512);
    EXPECT_EQ(buffers, f);
}
