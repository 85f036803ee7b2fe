// Orbitone.clap sounds like the VST edition: the same settings and input give the same samples, bit
// for bit, for static and gliding positions, each motion mode while the transport plays, and
// parameter and transport events inside a block.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/clap/ClapTestHost.h"
#include "tests/host/TestHost.h"
#include "tests/lv2/VstReference.h"

using namespace claptest;
using lv2test::Settings;

namespace {

constexpr int kBlock = 512;
constexpr uint32_t kLeftRight1 = 0, kFrontBack1 = 1, kLeftRight2 = 2, kSmoothing = 6, kSendC = 7,
                   kInputChannels = 9, kOutput = 10, kAnimation1 = 11, kSpeed1 = 12, kXScale1 = 13,
                   kAnimation2 = 17, kSpeed2 = 18, kYScale2 = 20;

std::string firstDifference(const Channels& a, const Channels& b, int block) {
    for (size_t k = 0; k < 6; ++k) {
        for (size_t j = 0; j < a[k].size(); ++j) {
            if (std::memcmp(&a[k][j], &b[k][j], sizeof(float)) != 0)
                return "block " + std::to_string(block) + " channel " + std::to_string(k) + " frame " +
                       std::to_string(j) + ": " + std::to_string(a[k][j]) + " vs " + std::to_string(b[k][j]);
        }
    }
    return {};
}

struct Pair {
    Plugin clap;
    TestInstance vst;

    Pair(const Settings& settings, bool playing) {
        vst.start(44100, kBlock);
        lv2test::applySettings(vst, settings);
        vst.host().time.tempo = 120;
        vst.setPlaying(playing);
        // As a VST host sets them after the resume: at the first block's first frame.
        EXPECT_TRUE(clap.start(44100, kBlock));
        clap.setPlaying(playing);
        for (const auto& [id, value] : settings) clap.setParameter(id, value);
    }

    std::string compare(int blocks, int first = 0) {
        for (int b = first; b < first + blocks; ++b) {
            const auto left = signal(kBlock, 1, b * kBlock);
            const auto right = signal(kBlock, 2, b * kBlock);
            const std::string difference =
                firstDifference(clap.process(left, right), vst.processSignal({left, right}), b);
            if (!difference.empty()) return difference;
        }
        return {};
    }
};

Settings withModes(float mode1, float mode2) {
    return {{kInputChannels, 1}, {kSpeed1, 12},        {kSpeed2, -7},       {kXScale1, 0.6f},
            {kYScale2, 0.5f},    {kAnimation1, mode1}, {kAnimation2, mode2}};
}

struct Case {
    const char* name;
    Settings settings;
    bool playing;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class SameAsVst : public testing::TestWithParam<Case> {};

}  // namespace

TEST_P(SameAsVst, BitForBit) {
    Pair pair(GetParam().settings, GetParam().playing);
    EXPECT_EQ(pair.compare(30), "");
}

INSTANTIATE_TEST_SUITE_P(
    Clap, SameAsVst,
    testing::Values(
        Case{"defaults", {}, false},
        Case{"static", {{kLeftRight1, 30}, {kFrontBack1, -45.5f}, {kSmoothing, 0}, {kSendC, -12}}, false},
        Case{"glide", {{kLeftRight1, -80}, {kFrontBack1, 64}, {kSmoothing, 250}, {kOutput, 3}}, false},
        Case{"rotate", withModes(1, 1), true}, Case{"cruise", withModes(2, 2), true},
        Case{"randomize", withModes(3, 3), true}, Case{"fish_bowl", withModes(4, 4), true},
        Case{"stopped_modes_stand_still", withModes(1, 3), false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A host's events inside a block split it: the VST edition given the same changes between calls.
TEST(ClapEvents, ParameterAndTransportEventsApplyAtTheirFrames) {
    Pair pair({{kAnimation1, 1}, {kSpeed1, 40}, {kSmoothing, 30}}, false);
    const auto left = signal(kBlock, 1);
    const auto right = signal(kBlock, 2);
    pair.clap.setParameter(kLeftRight1, 60, 100);
    pair.clap.setPlaying(true, 200);
    pair.clap.setParameter(kLeftRight2, -20, 200);
    pair.clap.setParameter(kOutput, -3, 450);
    // Past the block: taken at its end.
    pair.clap.setParameter(kSpeed1, -30, 9999);
    const Channels clapOut = pair.clap.process(left, right);

    Channels vstOut(6);
    auto span = [&](int from, int to) {
        const std::vector<float> l(left.begin() + from, left.begin() + to),
            r(right.begin() + from, right.begin() + to);
        const Channels part = pair.vst.processSignal({l, r});
        for (size_t k = 0; k < 6; ++k) vstOut[k].insert(vstOut[k].end(), part[k].begin(), part[k].end());
    };
    auto set = [&](uint32_t id, float value) {
        pair.vst.setParameter(static_cast<int32_t>(id), lv2test::normalisedValue(id, value));
    };
    span(0, 100);
    set(kLeftRight1, 60);
    span(100, 200);
    pair.vst.setPlaying(true);
    set(kLeftRight2, -20);
    span(200, 450);
    set(kOutput, -3);
    span(450, kBlock);
    set(kSpeed1, -30);
    EXPECT_EQ(firstDifference(clapOut, vstOut, 0), "");
    // The next blocks play on with what the events left.
    EXPECT_EQ(pair.compare(6, 1), "");
}

TEST(ClapEvents, AFreeRunningHostStillProcessesAndNothingMoves) {
    Pair pair(withModes(1, 4), false);
    pair.clap.setFreeRunning();
    EXPECT_EQ(pair.compare(6), "");
}
