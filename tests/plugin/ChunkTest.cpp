// The saved state: 260 bytes, a marker and sliders 1 to 64, and what a damaged state does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/host/PanelValues.h"
#include "tests/host/TestHost.h"

namespace {

constexpr int kSmoothing = 6;
constexpr int kSpeedCh1 = 12;

std::vector<float> saveState(TestInstance& plugin, int32_t isPreset = 0) {
    void* data = nullptr;
    const intptr_t bytes = plugin.dispatch(effGetChunk, isPreset, 0, &data);
    if (bytes <= 0 || data == nullptr) return {};
    std::vector<float> values(static_cast<size_t>(bytes) / sizeof(float));
    std::memcpy(values.data(), data, values.size() * sizeof(float));
    return values;
}

intptr_t loadState(TestInstance& plugin, std::vector<float> values, int32_t isPreset = 0) {
    return plugin.dispatch(effSetChunk, isPreset, static_cast<intptr_t>(values.size() * sizeof(float)),
                           values.data());
}

std::vector<float> parameters(TestInstance& plugin) {
    std::vector<float> values;
    for (int i = 0; i < 23; ++i) values.push_back(plugin.getParameter(i));
    return values;
}

}  // namespace

TEST(State, SavesTheMarkerAndSixtyFourSliders) {
    TestInstance plugin;
    for (int32_t preset : {0, 1}) {
        const std::vector<float> state = saveState(plugin, preset);
        ASSERT_EQ(state.size(), 65u);
        unsigned char marker[4];
        std::memcpy(marker, state.data(), 4);
        EXPECT_EQ(marker[0], 0x00);
        EXPECT_EQ(marker[1], 0x00);
        EXPECT_EQ(marker[2], 0x7A);
        EXPECT_EQ(marker[3], 0xC4);
        EXPECT_EQ(state[7], 100.0f);   // Smoothing Time
        EXPECT_EQ(state[10], -60.0f);  // Send To C
        EXPECT_EQ(state[21], 1.0f);    // Speed CH1
    }
}

TEST(State, RoundTripRestoresEverySlider) {
    TestInstance source;
    const float settings[][2] = {{0, 0.8f},   {3, 0.1f},  {5, 0.75f}, {9, 1.0f},
                                 {11, 0.25f}, {16, 0.3f}, {22, 0.9f}};
    for (const auto& s : settings) source.setParameter(static_cast<int32_t>(s[0]), s[1]);
    std::vector<float> state = saveState(source);
    state[40] = 12.5f;  // a number no slider uses still travels with the state

    TestInstance restored;
    restored.start();
    EXPECT_EQ(loadState(restored, state), 260);
    EXPECT_EQ(parameters(restored), parameters(source));
    EXPECT_EQ(saveState(restored), state);
}

TEST(State, WithoutTheMarkerNothingChanges) {
    TestInstance plugin;
    std::vector<float> state = saveState(plugin);
    state[0] = -999.0f;
    state[7] = 500.0f;
    EXPECT_EQ(loadState(plugin, state), 260);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSmoothing), "100.00");

    const unsigned char threeBytes[3] = {0, 0, 0x7A};
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 3, const_cast<unsigned char*>(threeBytes)), 3);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSmoothing), "100.00");
}

TEST(State, AShortStateLeavesTheLaterSlidersAlone) {
    TestInstance plugin;
    plugin.setParameter(22, 1.0f);  // Y Offset CH2 = 1
    std::vector<float> state = saveState(plugin);
    state[1] = 50.0f;
    state[22] = 0.5f;
    state.resize(5);  // marker and sliders 1 to 4
    std::vector<unsigned char> bytes(reinterpret_cast<unsigned char*>(state.data()),
                                     reinterpret_cast<unsigned char*>(state.data()) + 20);
    bytes.push_back(0xFF);  // a torn trailing value is ignored
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, static_cast<intptr_t>(bytes.size()), bytes.data()), 21);
    EXPECT_EQ(plugin.text(effGetParamDisplay, 0), "50.00");
    EXPECT_EQ(plugin.text(effGetParamDisplay, 22), "1.00");
}

TEST(State, GarbledValuesNeverLeaveASliderUnusable) {
    TestInstance plugin;
    plugin.start();
    std::vector<float> state = saveState(plugin);
    state[1] = std::numeric_limits<float>::quiet_NaN();
    state[2] = std::numeric_limits<float>::infinity();
    state[7] = -500.0f;   // Smoothing Time below its range
    state[13] = 1e30f;    // Output far above its range
    state[21] = 120.0f;   // the panel's Speed reaches 120
    state[27] = -400.0f;  // but not -400
    loadState(plugin, state);
    EXPECT_EQ(plugin.text(effGetParamDisplay, 0), "0.00");
    EXPECT_EQ(plugin.text(effGetParamDisplay, 1), "0.00");
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSmoothing), "0.00");
    EXPECT_EQ(plugin.text(effGetParamDisplay, 10), "20.00");
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSpeedCh1), "120.00");
    EXPECT_FLOAT_EQ(plugin.getParameter(kSpeedCh1), 1.5f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, 18), "-120.00");

    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 64);
    for (const auto& channel : out) {
        for (float v : channel) ASSERT_TRUE(std::isfinite(v));
    }
}

// Every value the panel can set, the Speed reach of -120..120 included (a state restores any of them):
// a host that writes back what it read (generic editors, automation recorded from the read value or
// from the panel's own automation, parameter-based restore) must keep each one.
TEST(State, WritingBackWhatWasReadKeepsEveryHeldValue) {
    TestInstance plugin;
    plugin.start();
    const std::vector<float> defaults = saveState(plugin);
    // Step k sets every slider to its k-th grid value.
    for (int k = 0; k < longestPanelGrid(); ++k) {
        std::vector<float> state = defaults;
        for (const PanelGrid& g : kPanelGrids)
            state[static_cast<size_t>(g.slider)] = static_cast<float>(g.value(k));
        loadState(plugin, state);
        const std::vector<float> held = saveState(plugin);
        for (int i = 0; i < 23; ++i) plugin.setParameter(i, plugin.getParameter(i));
        const std::vector<float> after = saveState(plugin);
        for (int i = 0; i < 23; ++i) {
            const size_t slider = static_cast<size_t>(kPanelGrids[i].slider);
            ASSERT_EQ(after[slider], held[slider]) << "parameter " << i << " at step " << k;
            ASSERT_EQ(held[slider], state[slider]) << "parameter " << i << " at step " << k;
        }
    }
}

TEST(State, SpeedParametersTakeTheRangeOfTheirPanelControls) {
    TestInstance plugin;
    plugin.start();
    for (const int speed : {kSpeedCh1, 18}) {
        plugin.setParameter(speed, 1.5f);
        EXPECT_EQ(plugin.text(effGetParamDisplay, speed), "120.00");
        plugin.setParameter(speed, -0.5f);
        EXPECT_EQ(plugin.text(effGetParamDisplay, speed), "-120.00");
        plugin.setParameter(speed, 1.2541f);  // 90.49 snaps to the step of 1
        EXPECT_EQ(plugin.text(effGetParamDisplay, speed), "90.00");
        plugin.setParameter(speed, 7.0f);
        EXPECT_EQ(plugin.text(effGetParamDisplay, speed), "120.00");
        plugin.setParameter(speed, -3.0f);
        EXPECT_EQ(plugin.text(effGetParamDisplay, speed), "-120.00");
        plugin.setParameter(speed, std::numeric_limits<float>::quiet_NaN());
        plugin.setParameter(speed, -std::numeric_limits<float>::infinity());
        EXPECT_EQ(plugin.text(effGetParamDisplay, speed), "-120.00");
    }
    // Every other parameter keeps 0..1.
    plugin.setParameter(kSmoothing, 1.5f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSmoothing), "1000.00");
    plugin.setParameter(16, -0.5f);  // X Offset CH1
    EXPECT_EQ(plugin.text(effGetParamDisplay, 16), "-1.00");
}

TEST(State, HostSettingParametersBeforeTheStateGetsTheState) {
    TestInstance source;
    source.setParameter(0, 0.9f);
    const std::vector<float> state = saveState(source);

    TestInstance reloaded;
    reloaded.start();
    reloaded.setParameter(0, 0.1f);
    loadState(reloaded, state);
    EXPECT_EQ(reloaded.text(effGetParamDisplay, 0), "80.00");
}
