// What a host sees before it processes: the module's entries, the factory and its one class, the
// same class in moduleinfo.json, the buses, and which arrangements are accepted.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "effect/QuillEffect.h"
#include "tests/vst3/Vst3TestHost.h"

using vst3test::Instance;

namespace {

const v3_plugin_factory_cpp& calls(v3_plugin_factory** f) {
    return **reinterpret_cast<v3_plugin_factory_cpp**>(f);
}

std::string hex(const v3_tuid id) {
    std::string s;
    char byte[3];
    for (int k = 0; k < 16; ++k) {
        std::snprintf(byte, sizeof byte, "%02X", id[k]);
        s += byte;
    }
    return s;
}

constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;
constexpr v3_speaker_arrangement k51 =
    V3_SPEAKER_L | V3_SPEAKER_R | V3_SPEAKER_C | V3_SPEAKER_LFE | V3_SPEAKER_LS | V3_SPEAKER_RS;

}  // namespace

TEST(Vst3Factory, DescribesOneSurroundEffectOfTheVst2Vendor) {
    v3_plugin_factory** f = vst3test::factory();
    const TQuillEffect effect;
    v3_factory_info factoryInfo{};
    ASSERT_EQ(calls(f).v1.get_factory_info(f, &factoryInfo), V3_OK);
    EXPECT_EQ(std::string(factoryInfo.vendor), effect.vendorString);
    ASSERT_EQ(calls(f).v1.num_classes(f), 1);
    v3_class_info_2 info{};
    ASSERT_EQ(calls(f).v2.get_class_info_2(f, 0, &info), V3_OK);
    EXPECT_EQ(std::string(info.category), "Audio Module Class");
    EXPECT_EQ(std::string(info.name), effect.effectName);
    EXPECT_EQ(std::string(info.vendor), effect.vendorString);
    EXPECT_EQ(std::string(info.sub_categories), "Fx|Spatial|Surround");
    EXPECT_EQ(effect.productString, "Orbitone " + std::string(info.version).substr(0, 3));
    v3_class_info_3 wide{};
    ASSERT_EQ(calls(f).v3.get_class_info_utf16(f, 0, &wide), V3_OK);
    EXPECT_EQ(vst3test::text(wide.name), effect.effectName);
    EXPECT_EQ(hex(wide.class_id), hex(info.class_id));
    EXPECT_NE(calls(f).v2.get_class_info_2(f, 1, &info), V3_OK);

    // The scan file names the same class.
    std::ifstream file(ORBITONE_VST3_MODULE_INFO);
    std::stringstream json;
    json << file.rdbuf();
    EXPECT_NE(json.str().find("\"CID\": \"" + hex(info.class_id) + "\""), std::string::npos);
    EXPECT_NE(json.str().find("\"Name\": \"Orbitone\""), std::string::npos);

    void* object = nullptr;
    const v3_tuid other = {1, 2, 3};
    EXPECT_NE(calls(f).v1.create_instance(f, other, v3_component_iid, &object), V3_OK);
    EXPECT_EQ(object, nullptr);
    EXPECT_NE(calls(f).v1.create_instance(f, info.class_id, other, &object), V3_OK);
    EXPECT_EQ(object, nullptr);
}

TEST(Vst3Buses, StereoInFivePointOneOutAndNothingElse) {
    Instance vst3;
    const auto& comp = vst3.componentCalls().comp;
    EXPECT_EQ(comp.get_bus_count(vst3.component, V3_AUDIO, V3_INPUT), 1);
    EXPECT_EQ(comp.get_bus_count(vst3.component, V3_AUDIO, V3_OUTPUT), 1);
    EXPECT_EQ(comp.get_bus_count(vst3.component, V3_EVENT, V3_INPUT), 0);
    v3_bus_info bus{};
    ASSERT_EQ(comp.get_bus_info(vst3.component, V3_AUDIO, V3_OUTPUT, 0, &bus), V3_OK);
    EXPECT_EQ(bus.channel_count, 6);
    EXPECT_EQ(bus.bus_type, V3_MAIN);
    ASSERT_EQ(comp.get_bus_info(vst3.component, V3_AUDIO, V3_INPUT, 0, &bus), V3_OK);
    EXPECT_EQ(bus.channel_count, 2);
    EXPECT_NE(comp.get_bus_info(vst3.component, V3_AUDIO, V3_INPUT, 1, &bus), V3_OK);

    const auto& proc = vst3.processorCalls().proc;
    v3_speaker_arrangement in = kStereo, out = k51;
    EXPECT_EQ(proc.set_bus_arrangements(vst3.processor, &in, 1, &out, 1), V3_OK);
    struct Proposal {
        v3_speaker_arrangement in, out;
    };
    for (Proposal p : {Proposal{kStereo, kStereo}, Proposal{V3_SPEAKER_M, k51},
                       Proposal{kStereo, k51 | V3_SPEAKER_LC}, Proposal{k51, k51}}) {
        EXPECT_EQ(proc.set_bus_arrangements(vst3.processor, &p.in, 1, &p.out, 1), V3_FALSE);
    }
    EXPECT_EQ(proc.set_bus_arrangements(vst3.processor, &in, 0, &out, 1), V3_FALSE);
    v3_speaker_arrangement got = 0;
    ASSERT_EQ(proc.get_bus_arrangement(vst3.processor, V3_OUTPUT, 0, &got), V3_OK);
    EXPECT_EQ(got, k51);
    EXPECT_EQ(proc.can_process_sample_size(vst3.processor, V3_SAMPLE_64), V3_OK);
    EXPECT_EQ(proc.get_latency_samples(vst3.processor), 0u);
    // Processing data without buses is survived and changes only the parameters.
    v3_process_data empty{};
    empty.symbolic_sample_size = V3_SAMPLE_32;
    empty.nframes = 64;
    EXPECT_EQ(proc.process(vst3.processor, &empty), V3_OK);
    EXPECT_NE(proc.process(vst3.processor, nullptr), V3_OK);
}
