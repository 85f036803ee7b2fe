// The controller's parameters and the component's state, against the VST 2.4 module's: names,
// steps, defaults, display texts, normalised <-> plain <-> text for every parameter; the 260-byte
// chunk both ways, and streams that are not one refused without a change.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/host/TestHost.h"
#include "tests/lv2/VstReference.h"
#include "tests/vst3/Vst3TestHost.h"

using vst3test::Instance;
using vst3test::MemoryStream;

namespace {

constexpr int32_t kEffectParameters = 23;
constexpr v3_param_id kBypass = 23, kAnimation1 = 11, kSpeed1 = 12, kInputChannels = 9;

v3_param_info infoOf(Instance& vst3, int32_t index) {
    v3_param_info info{};
    EXPECT_EQ(vst3.controllerCalls().ctrl.get_parameter_info(vst3.controller, index, &info), V3_OK) << index;
    return info;
}

std::string display(Instance& vst3, v3_param_id id, double normalised) {
    v3_str_128 text{};
    EXPECT_EQ(
        vst3.controllerCalls().ctrl.get_parameter_string_for_value(vst3.controller, id, normalised, text),
        V3_OK);
    return vst3test::text(text);
}

bool fromText(Instance& vst3, v3_param_id id, const std::string& text, double& normalised) {
    std::vector<int16_t> units = vst3test::utf16(text);
    return vst3.controllerCalls().ctrl.get_parameter_value_for_string(vst3.controller, id, units.data(),
                                                                      &normalised) == V3_OK;
}

}  // namespace

TEST(Vst3Parameters, AreTheVst2ParametersWithTheirTextsAndABypass) {
    Instance vst3;
    TestInstance vst2;
    vst2.start();
    ASSERT_EQ(vst3.controllerCalls().ctrl.get_parameter_count(vst3.controller), kEffectParameters + 1);
    for (int32_t p = 0; p < kEffectParameters; ++p) {
        const v3_param_info info = infoOf(vst3, p);
        EXPECT_EQ(info.param_id, static_cast<v3_param_id>(p));
        EXPECT_EQ(vst3test::text(info.title), vst2.text(effGetParamName, p));
        EXPECT_EQ(vst3test::text(info.units), vst2.text(effGetParamLabel, p));
        EXPECT_EQ(info.flags & V3_PARAM_IS_BYPASS, 0);
        // The default is where the VST 2.4 module starts.
        EXPECT_EQ(display(vst3, info.param_id, info.default_normalised_value),
                  vst2.text(effGetParamDisplay, p))
            << p;
    }
    EXPECT_EQ(infoOf(vst3, kAnimation1).step_count, 4);
    EXPECT_NE(infoOf(vst3, kAnimation1).flags & V3_PARAM_IS_LIST, 0);
    EXPECT_EQ(infoOf(vst3, kInputChannels).step_count, 1);
    EXPECT_EQ(infoOf(vst3, 0).step_count, 0);
    const v3_param_info bypass = infoOf(vst3, kBypass);
    EXPECT_EQ(vst3test::text(bypass.title), "Bypass");
    EXPECT_NE(bypass.flags & V3_PARAM_IS_BYPASS, 0);
    EXPECT_EQ(bypass.step_count, 1);
    v3_param_info none{};
    EXPECT_NE(vst3.controllerCalls().ctrl.get_parameter_info(vst3.controller, kEffectParameters + 1, &none),
              V3_OK);
    EXPECT_NE(vst3.controllerCalls().ctrl.get_parameter_info(vst3.controller, -1, &none), V3_OK);
}

// For a spread of values of every parameter: the display text is the VST 2.4 module's for the same
// setting, the text reads back to the same value, and plain <-> normalised are inverse.
TEST(Vst3Parameters, NormalisedPlainAndTextAgreeForEveryParameter) {
    Instance vst3;
    TestInstance vst2;
    vst2.start();
    const auto& ctrl = vst3.controllerCalls().ctrl;
    for (int32_t p = 0; p < kEffectParameters; ++p) {
        const auto id = static_cast<v3_param_id>(p);
        for (double n : {0.0, 0.1, 0.37, 0.5, 0.8, 1.0}) {
            const double plain = ctrl.normalised_parameter_to_plain(vst3.controller, id, n);
            EXPECT_NEAR(ctrl.plain_parameter_to_normalised(vst3.controller, id, plain), n, 1e-12) << p;
            vst3.set(id, n);
            vst3.process(std::vector<float>(16, 0.0f), std::vector<float>(16, 0.0f));
            vst2.setParameter(p,
                              lv2test::normalisedValue(static_cast<uint32_t>(p), static_cast<float>(plain)));
            const std::string text = display(vst3, id, n);
            EXPECT_EQ(text, vst2.text(effGetParamDisplay, p)) << p << " at " << n;
            double back = -1;
            ASSERT_TRUE(fromText(vst3, id, text, back)) << text;
            EXPECT_EQ(display(vst3, id, back), text) << p;
        }
    }
    double value = -1;
    EXPECT_TRUE(fromText(vst3, kAnimation1, "fish bowl", value));
    EXPECT_EQ(value, 1.0);
    EXPECT_TRUE(fromText(vst3, kBypass, "On", value));
    EXPECT_EQ(value, 1.0);
    EXPECT_FALSE(fromText(vst3, 0, "left", value));
    EXPECT_FALSE(fromText(vst3, 99, "1", value));
    // The Speed parameters span the panel's whole range.
    EXPECT_EQ(ctrl.normalised_parameter_to_plain(vst3.controller, kSpeed1, 0), -120);
    EXPECT_EQ(ctrl.normalised_parameter_to_plain(vst3.controller, kSpeed1, 1), 120);
    EXPECT_TRUE(fromText(vst3, kSpeed1, "90 rpm", value));
    EXPECT_EQ(value, 0.875);
    // Bad host values give safe answers.
    EXPECT_EQ(ctrl.normalised_parameter_to_plain(vst3.controller, 0, std::nan("")), -100);
    EXPECT_EQ(ctrl.get_parameter_normalised(vst3.controller, 99), 0);
    EXPECT_NE(ctrl.set_parameter_normalised(vst3.controller, 99, 0.5), V3_OK);
}

TEST(Vst3State, IsTheVst2ChunkBothWays) {
    const lv2test::Settings settings = {{0, 40}, {1, -30}, {11, 2}, {12, 100}};
    Instance vst3;
    TestInstance vst2;
    vst2.start();
    lv2test::applySettings(vst2, settings);
    for (const auto& [p, v] : settings)
        vst3.set(p, vst3.controllerCalls().ctrl.plain_parameter_to_normalised(vst3.controller, p, v));
    vst3.process(std::vector<float>(8, 0.0f), std::vector<float>(8, 0.0f));
    void* chunk = nullptr;
    const auto size = static_cast<size_t>(vst2.dispatch(effGetChunk, 0, 0, &chunk));
    ASSERT_EQ(size, 260u);
    const std::vector<unsigned char> vst2Chunk(static_cast<unsigned char*>(chunk),
                                               static_cast<unsigned char*>(chunk) + size);
    EXPECT_EQ(vst3.state(), vst2Chunk);

    // Restored into a fresh instance, read a few bytes at a time: the controller shows the values.
    Instance restored;
    MemoryStream stream(vst2Chunk);
    stream.largestRead = 7;
    EXPECT_EQ(restored.setState(stream), V3_OK);
    EXPECT_EQ(restored.state(), vst2Chunk);
    const auto& ctrl = restored.controllerCalls().ctrl;
    EXPECT_EQ(ctrl.normalised_parameter_to_plain(restored.controller, 12,
                                                 ctrl.get_parameter_normalised(restored.controller, 12)),
              100);
}

TEST(Vst3State, RefusesWhatIsNotOneChunkAndChangesNothing) {
    Instance vst3;
    vst3.set(0, 0.9);
    vst3.process(std::vector<float>(8, 0.0f), std::vector<float>(8, 0.0f));
    const std::vector<unsigned char> before = vst3.state();
    std::vector<unsigned char> wrongMarker = before;
    wrongMarker[0] ^= 0x55;
    std::vector<unsigned char> longer = before;
    longer.push_back(0);
    for (const auto& bytes :
         {std::vector<unsigned char>{}, std::vector<unsigned char>(before.begin(), before.end() - 4),
          wrongMarker, longer, std::vector<unsigned char>(260, 0xFF)}) {
        MemoryStream stream(bytes);
        EXPECT_NE(vst3.setState(stream), V3_OK) << bytes.size();
        EXPECT_EQ(vst3.state(), before);
    }
    EXPECT_NE(vst3.componentCalls().comp.set_state(vst3.component, nullptr), V3_OK);
    EXPECT_NE(vst3.componentCalls().comp.get_state(vst3.component, nullptr), V3_OK);
}
