// The LV2 edition sounds like the VST edition: the same settings and input give the same samples,
// bit for bit, for static positions, sends, output gain, two inputs and every motion mode.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "plugin/lv2/Lv2Instance.h"
#include "runtime/Quill.h"
#include "tests/host/PanelValues.h"
#include "tests/lv2/Lv2TestHost.h"
#include "tests/lv2/VstReference.h"

using namespace lv2test;

namespace {

constexpr int kBlock = 512;
constexpr int kBlocks = 40;

// Parameter indices.
constexpr uint32_t kLeftRight1 = 0, kFrontBack1 = 1, kLeftRight2 = 2, kFrontBack2 = 3;
constexpr uint32_t kCenterInfluence = 4, kZone = 5, kSmoothing = 6, kSendC = 7, kSendLfe = 8;
constexpr uint32_t kInputChannels = 9, kOutput = 10;
constexpr uint32_t kAnimation1 = 11, kSpeed1 = 12, kXScale1 = 13, kYOffset1 = 16;
constexpr uint32_t kAnimation2 = 17, kSpeed2 = 18, kYScale2 = 20, kXOffset2 = 21;

struct Case {
    const char* name;
    Settings settings;
    bool rolling;
};

// Values set after the activation and before the first run start the LV2 edition where they put it,
// as values set before the resume start the VST edition.
void configure(Instance& lv2, TestInstance& vst, const Settings& settings, bool rolling) {
    vst.dispatch(effOpen);
    vst.dispatch(effSetSampleRate, 0, 0, nullptr, 44100);
    vst.dispatch(effSetBlockSize, 0, kBlock);
    applySettings(vst, settings);
    vst.dispatch(effMainsChanged, 0, 1);
    vst.host().time.tempo = 120;
    vst.setPlaying(rolling);
    lv2.activate();
    for (const auto& [parameter, value] : settings) lv2.setControl(parameter, value);
    if (rolling) lv2.sendPosition(TimePosition{});
}

// Runs both editions block by block and answers the first difference, if any.
std::string compare(Instance& lv2, TestInstance& vst, int blocks = kBlocks) {
    for (int b = 0; b < blocks; ++b) {
        const auto left = testSignal(kBlock, 1, b * kBlock);
        const auto right = testSignal(kBlock, 2, b * kBlock);
        const std::string difference =
            firstDifference(lv2.run(left, right), vst.processSignal({left, right}), b);
        if (!difference.empty()) return difference;
    }
    return {};
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class SameAsVst : public testing::TestWithParam<Case> {};

}  // namespace

TEST_P(SameAsVst, BitForBit) {
    const Case& c = GetParam();
    Instance lv2;
    TestInstance vst;
    ASSERT_TRUE(lv2.valid());
    configure(lv2, vst, c.settings, c.rolling);
    EXPECT_EQ(compare(lv2, vst), "");
}

const Settings kTwoInputMotion = {{kInputChannels, 1}, {kSpeed1, 12},    {kSpeed2, -7},     {kXScale1, 0.6f},
                                  {kYOffset1, 0.2f},   {kYScale2, 0.5f}, {kXOffset2, -0.3f}};

Settings withModes(float mode1, float mode2) {
    Settings s = kTwoInputMotion;
    s.push_back({kAnimation1, mode1});
    s.push_back({kAnimation2, mode2});
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Lv2, SameAsVst,
    testing::Values(
        Case{"defaults", {}, false},
        Case{"static_positions", {{kLeftRight1, 30}, {kFrontBack1, -45.5f}, {kSmoothing, 0}}, false},
        Case{"smoothed_positions", {{kLeftRight1, -80}, {kFrontBack1, 64}, {kSmoothing, 250}}, false},
        Case{"sends_zone_centre",
             {{kSendC, -12}, {kSendLfe, -3}, {kCenterInfluence, 0.5f}, {kZone, -6}},
             false},
        Case{"output_gain", {{kOutput, -6.5f}, {kLeftRight1, 10}}, false},
        Case{"two_inputs",
             {{kInputChannels, 1},
              {kLeftRight1, -70},
              {kFrontBack1, 20},
              {kLeftRight2, 60},
              {kFrontBack2, 80},
              {kOutput, 3},
              {kZone, 12}},
             false},
        Case{"rotate", withModes(1, 1), true}, Case{"cruise", withModes(2, 2), true},
        Case{"randomize", withModes(3, 3), true}, Case{"fish_bowl", withModes(4, 4), true},
        Case{"rotate_and_cruise_one_input", {{kAnimation1, 1}, {kSpeed1, 30}, {kAnimation2, 2}}, true},
        Case{"stopped_modes_stand_still", withModes(1, 3), false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Lv2Transport, RollingMovesTheModesAndStoppingHoldsThem) {
    Instance rolling, stopped;
    rolling.activate();
    stopped.activate();
    for (Instance* lv2 : {&rolling, &stopped}) {
        lv2->setControl(kAnimation1, 1);
        lv2->setControl(kSpeed1, 60);
        lv2->setControl(kSmoothing, 0);
    }
    rolling.sendPosition(TimePosition{});
    const std::vector<float> ones(kBlock, 1.0f);
    std::vector<float> moving, resting;
    for (int b = 0; b < 20; ++b) {
        moving.push_back(rolling.run(ones, ones)[0].back());
        resting.push_back(stopped.run(ones, ones)[0].back());
    }
    EXPECT_NE(moving.front(), moving.back());
    EXPECT_EQ(resting.front(), resting.back());
}

TEST(Lv2Transport, APositionInsideABlockStartsTheMotionThere) {
    Instance lv2;
    TestInstance vst;
    const Settings settings = {{kAnimation1, 1}, {kSpeed1, 40}, {kSmoothing, 0}};
    configure(lv2, vst, settings, false);
    lv2.sendPosition(TimePosition{}, 200);
    const auto left = testSignal(kBlock, 1);
    const auto right = testSignal(kBlock, 2);
    const auto lv2Out = lv2.run(left, right);

    // The VST host tells its transport per call: 200 frames stopped, then the rest playing.
    const std::vector<float> l1(left.begin(), left.begin() + 200), r1(right.begin(), right.begin() + 200);
    const std::vector<float> l2(left.begin() + 200, left.end()), r2(right.begin() + 200, right.end());
    auto first = vst.processSignal({l1, r1});
    vst.setPlaying(true);
    const auto second = vst.processSignal({l2, r2});
    for (size_t k = 0; k < 6; ++k) first[k].insert(first[k].end(), second[k].begin(), second[k].end());
    EXPECT_EQ(firstDifference(lv2Out, first, 0), "");

    // Speed 0 stops it again from the next event on.
    TimePosition stopped;
    stopped.speed = 0;
    lv2.sendPosition(stopped);
    vst.setPlaying(false);
    EXPECT_EQ(compare(lv2, vst, 4), "");
}

TEST(Lv2Activation, SwitchingOffAndOnIsTheVstSuspendAndResume) {
    Instance lv2;
    TestInstance vst;
    const Settings settings = {
        {kLeftRight1, -70}, {kFrontBack1, 40}, {kSmoothing, 200}, {kAnimation2, 3}, {kInputChannels, 1}};
    configure(lv2, vst, settings, true);
    EXPECT_EQ(compare(lv2, vst, 3), "");
    // A host moving controls while the plug-in is off: they apply with the switch back on.
    lv2.deactivate();
    vst.dispatch(effMainsChanged, 0, 0);
    lv2.setControl(kLeftRight1, 55);
    vst.setParameter(kLeftRight1, normalisedValue(kLeftRight1, 55));
    lv2.activate();
    vst.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(compare(lv2, vst, 6), "");
}

TEST(Lv2Transport, WithoutTimePortOrFeaturesNothingMoves) {
    for (bool features : {false, true}) {
        SCOPED_TRACE(features);
        Instance lv2(44100, features);
        ASSERT_TRUE(lv2.valid());
        if (features) lv2.disconnectTime();
        TestInstance vst;
        configure(lv2, vst, withModes(1, 4), false);
        EXPECT_EQ(compare(lv2, vst, 6), "");
    }
}

TEST(Lv2Controls, HostValuesAreBoundedSnappedAndAppliedOnlyWhenChanged) {
    Instance lv2;
    lv2.activate();
    auto slider = [&lv2](int number) {
        const auto chunk = lv2.savedChunk();
        float value = 0;
        std::memcpy(&value, chunk.data() + 4 * number, sizeof value);
        return value;
    };
    const auto silence = std::vector<float>(16, 0.0f);
    lv2.setControl(kLeftRight1, 500);       // beyond the range: its end
    lv2.setControl(kFrontBack1, 12.3449f);  // between steps: the nearest
    lv2.setControl(kSpeed1, 120);           // the panel's reach, beyond the VST parameter's
    lv2.setControl(kAnimation1, 2.6f);      // an item in between: the nearest item
    lv2.setControl(kOutput, -std::numeric_limits<float>::infinity());
    lv2.run(silence, silence);
    EXPECT_FLOAT_EQ(slider(1), 100);
    EXPECT_FLOAT_EQ(slider(2), 12.34f);
    EXPECT_FLOAT_EQ(slider(21), 120);
    EXPECT_FLOAT_EQ(slider(20), 3);
    EXPECT_FLOAT_EQ(slider(13), 0) << "infinity is not a value";

    lv2.setControl(kLeftRight1, std::numeric_limits<float>::quiet_NaN());
    lv2.setControl(kSpeed1, -1000);
    lv2.run(silence, silence);
    EXPECT_FLOAT_EQ(slider(1), 100) << "NaN is ignored";
    EXPECT_FLOAT_EQ(slider(21), -120);
}

TEST(Lv2Controls, SpeedBeyondTheVstParameterSoundsAsTheVstChunkSetsIt) {
    Instance lv2;
    TestInstance vst;
    configure(lv2, vst, {{kAnimation1, 1}, {kSpeed1, 120}}, true);
    // A VST host cannot send 120 as a parameter; a chunk carries what the panel set.
    void* data = nullptr;
    const auto size = vst.dispatch(effGetChunk, 0, 0, &data);
    ASSERT_EQ(size, 260);
    std::vector<unsigned char> chunk(static_cast<const unsigned char*>(data),
                                     static_cast<const unsigned char*>(data) + size);
    const float speed = 120;
    std::memcpy(chunk.data() + 4 * 21, &speed, sizeof speed);
    vst.dispatch(effSetChunk, 0, size, chunk.data());
    EXPECT_EQ(compare(lv2, vst, 8), "");
}

// The panel sets a value, the UI writes it to the host's control and the host writes it back into
// the port: the echo changes nothing, for every value of every control the panel can move.
TEST(Lv2Controls, WhatThePanelSetComesBackFromTheHostUnchanged) {
    Instance lv2;
    lv2.activate();
    // The panel of a UI with instance access sets the sliders of this very effect.
    TQuill& effect = *static_cast<Lv2Instance*>(lv2.handle())->kit->effect;
    const auto silence = std::vector<float>(1, 0.0f);
    for (int k = 0; k < longestPanelGrid(); ++k) {
        for (uint32_t p = 0; p < kControls; ++p) {
            const PanelGrid& g = kPanelGrids[p];
            effect.sliders[g.slider] = g.value(k);
            lv2.setControl(p, static_cast<float>(g.value(k)));
        }
        lv2.run(silence, silence);
        for (uint32_t p = 0; p < kControls; ++p) {
            const PanelGrid& g = kPanelGrids[p];
            ASSERT_EQ(effect.sliders[g.slider], g.value(k)) << "parameter " << p << " at step " << k;
        }
    }
}
