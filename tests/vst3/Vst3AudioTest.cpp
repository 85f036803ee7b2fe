// The VST 3 edition sounds like the VST 2.4 edition, bit for bit: static settings, a glide, every
// motion mode while the transport rolls, changes at sample offsets, 64-bit processing; and its
// bypass hands the inputs to L and R.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/lv2/Lv2TestHost.h"
#include "tests/lv2/VstReference.h"
#include "tests/vst3/Vst3TestHost.h"

using lv2test::Settings;
using lv2test::testSignal;

namespace {

constexpr int kBlock = 512;
constexpr int kBlocks = 24;
constexpr uint32_t kLeftRight1 = 0, kFrontBack1 = 1, kSmoothing = 6, kSendC = 7, kInputChannels = 9;
constexpr uint32_t kOutput = 10, kAnimation1 = 11, kSpeed1 = 12, kXScale1 = 13, kAnimation2 = 17,
                   kSpeed2 = 18;
constexpr v3_param_id kBypass = 23;

// The normalised VST 3 value of a value in the parameter's own units.
double normalised(vst3test::Instance& vst3, uint32_t parameter, double value) {
    return vst3.controllerCalls().ctrl.plain_parameter_to_normalised(vst3.controller, parameter, value);
}

template <typename Sample>
std::vector<std::vector<Sample>> runVst2(TestInstance& vst, const std::vector<Sample>& left,
                                         const std::vector<Sample>& right) {
    const size_t frames = left.size();
    std::vector<std::vector<Sample>> in(6, std::vector<Sample>(frames, 0)),
        out(6, std::vector<Sample>(frames, 0));
    in[0] = left;
    in[1] = right;
    std::vector<Sample*> inPtr, outPtr;
    for (size_t k = 0; k < 6; ++k) {
        inPtr.push_back(in[k].data());
        outPtr.push_back(out[k].data());
    }
    AEffect* e = vst.effect();
    if constexpr (sizeof(Sample) == sizeof(double))
        e->processDoubleReplacing(e, inPtr.data(), outPtr.data(), static_cast<int32_t>(frames));
    else
        e->processReplacing(e, inPtr.data(), outPtr.data(), static_cast<int32_t>(frames));
    return out;
}

template <typename Sample>
std::string firstDifference(const std::vector<std::vector<Sample>>& a,
                            const std::vector<std::vector<Sample>>& b, int block) {
    for (size_t k = 0; k < 6; ++k) {
        for (size_t j = 0; j < a[k].size(); ++j) {
            if (std::memcmp(&a[k][j], &b[k][j], sizeof(Sample)) != 0)
                return "block " + std::to_string(block) + " channel " + std::to_string(k) + " frame " +
                       std::to_string(j) + ": " + std::to_string(a[k][j]) + " vs " + std::to_string(b[k][j]);
        }
    }
    return {};
}

void configure(vst3test::Instance& vst3, TestInstance& vst2, const Settings& settings, bool rolling) {
    vst2.start(44100, kBlock);
    lv2test::applySettings(vst2, settings);
    vst2.host().time.tempo = 120;
    vst2.setPlaying(rolling);
    for (const auto& [parameter, value] : settings) vst3.set(parameter, normalised(vst3, parameter, value));
    vst3.setTransport(rolling);
}

template <typename Sample>
std::vector<Sample> signal(int seed, int block) {
    const std::vector<float> s = testSignal(kBlock, seed, block * kBlock);
    return std::vector<Sample>(s.begin(), s.end());
}

std::string compare(vst3test::Instance& vst3, TestInstance& vst2, bool doublePrecision) {
    for (int b = 0; b < kBlocks; ++b) {
        std::string difference;
        if (doublePrecision) {
            const auto left = signal<double>(1, b), right = signal<double>(2, b);
            difference = firstDifference(vst3.processDouble(left, right), runVst2(vst2, left, right), b);
        } else {
            const auto left = signal<float>(1, b), right = signal<float>(2, b);
            difference = firstDifference(vst3.process(left, right), runVst2(vst2, left, right), b);
        }
        if (!difference.empty()) return difference;
    }
    return {};
}

struct Case {
    const char* name;
    Settings settings;
    bool rolling;
    bool doublePrecision;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class SameAsVst2 : public testing::TestWithParam<Case> {};

Settings withModes(float mode1, float mode2) {
    return {{kInputChannels, 1}, {kSpeed1, 12},        {kSpeed2, -7},
            {kXScale1, 0.6f},    {kAnimation1, mode1}, {kAnimation2, mode2}};
}

}  // namespace

TEST_P(SameAsVst2, BitForBit) {
    const Case& c = GetParam();
    vst3test::Instance vst3(44100, kBlock, c.doublePrecision);
    TestInstance vst2;
    configure(vst3, vst2, c.settings, c.rolling);
    EXPECT_EQ(compare(vst3, vst2, c.doublePrecision), "");
}

INSTANTIATE_TEST_SUITE_P(
    Vst3, SameAsVst2,
    testing::Values(
        Case{"static",
             {{kLeftRight1, 30}, {kFrontBack1, -45.5f}, {kSmoothing, 0}, {kSendC, -12}},
             false,
             false},
        Case{
            "glide", {{kLeftRight1, -80}, {kFrontBack1, 64}, {kSmoothing, 250}, {kOutput, -3}}, false, false},
        Case{"rotate", withModes(1, 1), true, false}, Case{"cruise", withModes(2, 2), true, false},
        Case{"randomize", withModes(3, 3), true, false}, Case{"fish_bowl", withModes(4, 4), true, false},
        Case{"fast_speed_beyond_the_declared_range", {{kAnimation1, 1}, {kSpeed1, 110}}, true, false},
        Case{"double_glide", {{kLeftRight1, 70}, {kFrontBack1, -20}, {kSmoothing, 100}}, false, true},
        Case{"double_cruise", withModes(2, 4), true, true}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// Changes inside a block apply at their offsets: the VST 2.4 module, given the same blocks cut there
// with the parameter set between the pieces, gives the same samples.
TEST(Vst3Changes, ApplyAtTheirSampleOffsets) {
    vst3test::Instance vst3(44100, kBlock);
    TestInstance vst2;
    configure(vst3, vst2, {{kSmoothing, 0}}, false);
    const auto left = signal<float>(1, 0), right = signal<float>(2, 0);
    // Two parameters, three points, one past the block's end (taken at its end).
    vst3.pending.add(kLeftRight1, 100, normalised(vst3, kLeftRight1, 50));
    vst3.pending.add(kLeftRight1, 300, normalised(vst3, kLeftRight1, -20));
    vst3.pending.add(kFrontBack1, 300, normalised(vst3, kFrontBack1, 90));
    vst3.pending.add(kOutput, kBlock + 40, normalised(vst3, kOutput, -6));
    const auto got = vst3.process(left, right);

    std::vector<std::vector<float>> expected(6);
    auto piece = [&](int from, int to) {
        const auto out = runVst2(vst2, std::vector<float>(left.begin() + from, left.begin() + to),
                                 std::vector<float>(right.begin() + from, right.begin() + to));
        for (size_t k = 0; k < 6; ++k) expected[k].insert(expected[k].end(), out[k].begin(), out[k].end());
    };
    piece(0, 100);
    lv2test::applySettings(vst2, {{kLeftRight1, 50}});
    piece(100, 300);
    lv2test::applySettings(vst2, {{kLeftRight1, -20}, {kFrontBack1, 90}});
    piece(300, kBlock);
    EXPECT_EQ(firstDifference(got, expected, 0), "");
    // The late point arrived with this block.
    EXPECT_NEAR(vst3.controllerCalls().ctrl.get_parameter_normalised(vst3.controller, kOutput),
                normalised(vst3, kOutput, -6), 1e-6);
}

// Without a process context the transport counts as stopped: the motion modes stand still.
TEST(Vst3Transport, NoContextIsStopped) {
    vst3test::Instance vst3(44100, kBlock);
    TestInstance vst2;
    configure(vst3, vst2, withModes(1, 2), false);
    vst3.clearTransport();
    EXPECT_EQ(compare(vst3, vst2, false), "");
}

// Bypassed, the inputs reach L and R unchanged and the other outputs fall silent, within one
// smoothing time; back from bypass, the effect's outputs return with nothing having glided.
TEST(Vst3Bypass, HandsTheInputsToLeftAndRightWithinOneSmoothingTime) {
    vst3test::Instance vst3(44100, kBlock);
    TestInstance vst2;
    // 20 ms: 882 frames, less than two blocks.
    configure(vst3, vst2, {{kLeftRight1, 80}, {kFrontBack1, 60}, {kSmoothing, 20}, {kSendC, 0}}, false);
    const auto left = signal<float>(1, 0), right = signal<float>(2, 0);
    for (int b = 0; b < 4; ++b) {
        const auto wet = runVst2(vst2, left, right);
        if (b == 1) vst3.set(kBypass, 1);
        const auto out = vst3.process(left, right);
        if (b == 0) {
            EXPECT_EQ(firstDifference(out, wet, b), "");
        }
        if (b == 1) {
            EXPECT_NE(out[2], wet[2]) << "the fade starts with the block that asks for it";
        }
        if (b < 3) continue;
        EXPECT_EQ(out[0], left);
        EXPECT_EQ(out[1], right);
        for (size_t k = 2; k < 6; ++k) EXPECT_EQ(out[k], std::vector<float>(kBlock, 0.0f)) << k;
    }
    EXPECT_EQ(vst3.controllerCalls().ctrl.get_parameter_normalised(vst3.controller, kBypass), 1.0);
    vst3.set(kBypass, 0);
    for (int b = 0; b < 3; ++b) {
        const auto wet = runVst2(vst2, left, right);
        const auto out = vst3.process(left, right);
        if (b == 2) {
            EXPECT_EQ(firstDifference(out, wet, b), "");
        }
    }
}
