// What a CLAP host sees of Orbitone.clap: the entry and its one descriptor, the ports and their 5.1
// map, the parameters with the VST edition's names and texts, and the state chunk.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "OrbitoneVersion.h"
#include "effect/QuillEffect.h"
#include "plugin/clap/ClapSurround.h"
#include "tests/clap/ClapTestHost.h"
#include "tests/host/TestHost.h"
#include "tests/lv2/VstReference.h"

using namespace claptest;

namespace {
constexpr uint32_t kParameters = 23;
constexpr clap_id kLeftRight1 = 0, kSmoothing = 6, kInputChannels = 9, kOutput = 10, kAnimation1 = 11,
                  kSpeed1 = 12;
}  // namespace

TEST(ClapModule, OneDescriptorWithItsIdNameVendorVersionAndFeatures) {
    const clap_plugin_factory_t* factory = Module::orbitone().factory();
    ASSERT_NE(factory, nullptr);
    EXPECT_TRUE(clap_version_is_compatible(Module::orbitone().entry()->clap_version));
    EXPECT_EQ(Module::orbitone().entry()->get_factory("clap.other-factory"), nullptr);
    ASSERT_EQ(factory->get_plugin_count(factory), 1u);
    EXPECT_EQ(factory->get_plugin_descriptor(factory, 1), nullptr);
    const clap_plugin_descriptor_t* d = factory->get_plugin_descriptor(factory, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_STREQ(d->id, "com.velmora.orbitone");
    EXPECT_STREQ(d->name, "Orbitone");
    EXPECT_STREQ(d->vendor, "Velmora");
    EXPECT_STREQ(d->version, ORBITONE_VERSION);
    std::vector<std::string> features;
    for (const char** f = d->features; *f != nullptr; ++f) features.push_back(*f);
    EXPECT_EQ(features, (std::vector<std::string>{"audio-effect", "surround", "stereo"}));
    clap_host_t host{};
    host.clap_version = CLAP_VERSION;
    EXPECT_EQ(factory->create_plugin(factory, &host, "com.velmora.other"), nullptr);
    EXPECT_EQ(factory->create_plugin(factory, nullptr, d->id), nullptr);
}

TEST(ClapModule, StereoInAndFivePointOneOutInTheirOrder) {
    Plugin p;
    ASSERT_NE(p.plugin(), nullptr);
    const auto* ports = p.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    ASSERT_NE(ports, nullptr);
    for (bool input : {true, false}) {
        SCOPED_TRACE(input);
        ASSERT_EQ(ports->count(p.plugin(), input), 1u);
        clap_audio_port_info_t info{};
        EXPECT_FALSE(ports->get(p.plugin(), 1, input, &info));
        ASSERT_TRUE(ports->get(p.plugin(), 0, input, &info));
        EXPECT_EQ(info.channel_count, input ? 2u : 6u);
        EXPECT_TRUE(info.flags & CLAP_AUDIO_PORT_IS_MAIN);
        EXPECT_FALSE(info.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS);
        EXPECT_STREQ(info.port_type, input ? CLAP_PORT_STEREO : "surround");
    }
    // The same interface under its released and its draft id.
    const auto* surround = p.extension<clap_plugin_surround_t>(kClapExtSurround);
    ASSERT_NE(surround, nullptr);
    EXPECT_EQ(p.extension<clap_plugin_surround_t>(kClapExtSurroundDraft), surround);
    uint8_t map[8] = {};
    EXPECT_EQ(surround->get_channel_map(p.plugin(), false, 0, map, 5), 0u) << "too small for six";
    ASSERT_EQ(surround->get_channel_map(p.plugin(), false, 0, map, 8), 6u);
    // L, R, C, LFE, Ls, Rs.
    EXPECT_EQ(std::vector<uint8_t>(map, map + 6), (std::vector<uint8_t>{0, 1, 2, 3, 4, 5}));
    ASSERT_EQ(surround->get_channel_map(p.plugin(), true, 0, map, 8), 2u);
    EXPECT_EQ(map[0], kClapSurroundFL);
    EXPECT_EQ(map[1], kClapSurroundFR);
    EXPECT_EQ(surround->get_channel_map(p.plugin(), false, 1, map, 8), 0u);
    EXPECT_TRUE(surround->is_channel_mask_supported(p.plugin(), 0x3F));
    EXPECT_FALSE(surround->is_channel_mask_supported(p.plugin(), 0x3F | (1 << 9)));
    EXPECT_EQ(p.extension<void>("clap.unknown"), nullptr);
}

TEST(ClapParams, TheVstParametersInTheirOrderWithThePanelsRanges) {
    Plugin p;
    TestInstance vst;
    const TQuillEffect description;
    const auto* params = p.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    ASSERT_NE(params, nullptr);
    ASSERT_EQ(params->count(p.plugin()), kParameters);
    clap_param_info_t info{};
    EXPECT_FALSE(params->get_info(p.plugin(), kParameters, &info));
    for (uint32_t i = 0; i < kParameters; ++i) {
        SCOPED_TRACE(i);
        const SliderRecord& record = description.sliderRecords[i];
        ASSERT_TRUE(params->get_info(p.plugin(), i, &info));
        EXPECT_EQ(info.id, i);
        EXPECT_EQ(info.name, vst.text(effGetParamName, static_cast<int32_t>(i)));
        EXPECT_TRUE(info.flags & CLAP_PARAM_IS_AUTOMATABLE);
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, !record.texts.empty());
        // The Speed controls reach what the panel can set, as the LV2 controls do.
        const bool speed = record.number == 21 || record.number == 27;
        EXPECT_EQ(info.min_value, speed ? -120 : record.minimum);
        EXPECT_EQ(info.max_value, speed ? 120 : record.maximum);
        EXPECT_EQ(info.default_value, record.defaultValue);
        EXPECT_EQ(p.value(i), record.defaultValue);
    }
    double v = 0;
    EXPECT_FALSE(params->get_value(p.plugin(), kParameters, &v));
    EXPECT_FALSE(params->get_value(p.plugin(), CLAP_INVALID_ID, &v));
    EXPECT_FALSE(params->get_info(p.plugin(), 0, nullptr));
}

TEST(ClapParams, TextsAreTheVstDisplayAndReadBack) {
    Plugin p;
    TestInstance vst;
    const auto* params = p.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    const std::vector<std::pair<clap_id, double>> values = {
        {kLeftRight1, -37.25}, {kSmoothing, 250}, {kInputChannels, 0}, {kInputChannels, 1}, {kOutput, -6.5},
        {kAnimation1, 0},      {kAnimation1, 3},  {kAnimation1, 4},    {kSpeed1, -90},      {kSpeed1, 7}};
    for (const auto& [id, value] : values) {
        SCOPED_TRACE(std::to_string(id) + " " + std::to_string(value));
        vst.setParameter(static_cast<int32_t>(id), lv2test::normalisedValue(id, static_cast<float>(value)));
        const std::string text = p.text(id, value);
        EXPECT_EQ(text, vst.text(effGetParamDisplay, static_cast<int32_t>(id)));
        double back = NAN;
        ASSERT_TRUE(params->text_to_value(p.plugin(), id, text.c_str(), &back));
        EXPECT_EQ(back, value);
    }
    double v = 0;
    EXPECT_FALSE(params->text_to_value(p.plugin(), kOutput, "loud", &v));
    EXPECT_FALSE(params->text_to_value(p.plugin(), kOutput, "3 dB", &v));
    EXPECT_FALSE(params->text_to_value(p.plugin(), kAnimation1, "Spin", &v));
    EXPECT_FALSE(params->text_to_value(p.plugin(), kParameters, "1", &v));
    ASSERT_TRUE(params->text_to_value(p.plugin(), kOutput, "99", &v));
    EXPECT_EQ(v, 20) << "a number beyond the range is taken to its end";
    EXPECT_EQ(p.text(kOutput, NAN), "(none)");
    char tiny[4];
    ASSERT_TRUE(params->value_to_text(p.plugin(), kSmoothing, 250, tiny, sizeof tiny));
    EXPECT_STREQ(tiny, "250");
}

TEST(ClapParams, FlushAppliesChangesWhileNotProcessing) {
    Plugin p;
    p.setParameter(kOutput, -4);
    p.setParameter(kSpeed1, 100);
    p.setParameter(CLAP_INVALID_ID, 1);
    p.setParameter(kSmoothing, NAN);
    p.flush();
    EXPECT_EQ(p.value(kOutput), -4);
    EXPECT_EQ(p.value(kSpeed1), 100);
    EXPECT_EQ(p.value(kSmoothing), 100) << "not a number: ignored";
    EXPECT_TRUE(p.out.empty());
    // Active but not processing: the host flushes from its audio thread.
    ASSERT_TRUE(p.start());
    p.setParameter(kOutput, 3.3);
    p.flush();
    EXPECT_DOUBLE_EQ(p.value(kOutput), 3.3);
}

TEST(ClapState, TheVstChunkRoundTripsAndAnythingElseChangesNothing) {
    Plugin source;
    source.setParameter(kLeftRight1, -55);
    source.setParameter(kSpeed1, -110);
    source.setParameter(kAnimation1, 2);
    source.flush();
    const std::vector<uint8_t> chunk = source.save();
    ASSERT_EQ(chunk.size(), 260u);

    // The VST edition's chunk for the same settings is the same bytes.
    TestInstance vst;
    vst.start();
    lv2test::applySettings(vst, {{kLeftRight1, -55}, {kSpeed1, -110}, {kAnimation1, 2}});
    void* data = nullptr;
    const auto size = vst.dispatch(effGetChunk, 0, 0, &data);
    ASSERT_EQ(size, 260);
    EXPECT_EQ(std::memcmp(data, chunk.data(), 260), 0);

    Plugin target;
    ASSERT_TRUE(target.load(chunk, 7)) << "a stream read in small pieces";
    EXPECT_EQ(target.save(), chunk);
    EXPECT_EQ(target.value(kSpeed1), -110);
    EXPECT_EQ(target.rescans, 1) << "the host reads the values again";

    Plugin other;
    const std::vector<uint8_t> before = other.save();
    std::vector<uint8_t> garbled = chunk;
    garbled[0] ^= 0x40;
    std::vector<uint8_t> longer = chunk;
    longer.push_back(0);
    for (const auto& bad : {std::vector<uint8_t>(chunk.begin(), chunk.begin() + 259), garbled, longer,
                            std::vector<uint8_t>(), std::vector<uint8_t>(5000, 0)}) {
        SCOPED_TRACE(bad.size());
        EXPECT_FALSE(other.load(bad));
        EXPECT_EQ(other.save(), before);
    }
    EXPECT_EQ(other.rescans, 0);
}

TEST(ClapThreads, CallsOffTheirThreadAreAnsweredSafely) {
    Plugin p;
    const auto* params = p.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    uint32_t count = 99;
    bool activated = true;
    std::thread other([&] {
        count = params->count(p.plugin());
        activated = p.plugin()->activate(p.plugin(), 44100, 1, 512);
    });
    other.join();
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(activated);
    EXPECT_EQ(p.wrongThread, 2) << "each call asked the host's thread-check";
    p.wrongThread = 0;
    EXPECT_EQ(params->count(p.plugin()), kParameters);
}
