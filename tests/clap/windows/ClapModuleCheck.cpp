// Orbitone.clap as a Windows CLAP host meets it: LoadLibrary, clap_entry, the descriptor, ports,
// parameters, state, the win32 panel's set-up, and processing bit for bit against Orbitone.dll.
// Usage: ClapModuleCheck <path to Orbitone.clap> <path to Orbitone.dll>
#include <gtest/gtest.h>
#include <windows.h>

#include <clap/entry.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/timer-support.h>
#include <clap/plugin-factory.h>

#include <cstring>
#include <vector>

#include "tests/host/TestHost.h"
#include "tests/windows/CheckMain.h"

namespace {

constexpr clap_id kLeftRight1 = 0, kFrontBack1 = 1, kSmoothing = 6, kAnimation1 = 11;
constexpr uint32_t kFrames = 256;

const void* CLAP_ABI hostExtension(const clap_host_t*, const char* id) {
    static const clap_host_timer_support_t timers = {[](const clap_host_t*, uint32_t, clap_id* id) {
                                                         *id = 1;
                                                         return true;
                                                     },
                                                     [](const clap_host_t*, clap_id) { return true; }};
    return std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0 ? &timers : nullptr;
}

const clap_host_t kHost = {CLAP_VERSION_INIT,
                           nullptr,
                           "ClapModuleCheck",
                           "Velmora",
                           "",
                           "1.0",
                           hostExtension,
                           [](const clap_host_t*) {},
                           [](const clap_host_t*) {},
                           [](const clap_host_t*) {}};

struct Events {
    std::vector<clap_event_param_value_t> values;
    clap_input_events_t list{this,
                             [](const clap_input_events_t* l) {
                                 return static_cast<uint32_t>(static_cast<Events*>(l->ctx)->values.size());
                             },
                             [](const clap_input_events_t* l, uint32_t i) -> const clap_event_header_t* {
                                 return &static_cast<Events*>(l->ctx)->values[i].header;
                             }};
    void add(clap_id id, double value) {
        clap_event_param_value_t e{};
        e.header = {sizeof e, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
        e.param_id = id;
        e.note_id = -1;
        e.port_index = e.channel = e.key = -1;
        e.value = value;
        values.push_back(e);
    }
};

const clap_output_events_t kNoOutput = {
    nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};

void expectProcessingLikeTheDll(const clap_plugin_t* plugin, const TestModule& dll) {
    TestInstance vst(dll, "VSTPluginMain");
    vst.start(44100, kFrames);
    // The same settings normalised: positions over -100..100, the Rotate item of five, 0 ms.
    vst.setParameter(kLeftRight1, 0.65f);
    vst.setParameter(kFrontBack1, 0.2f);
    vst.setParameter(kSmoothing, 0.0f);
    vst.setParameter(kAnimation1, 0.25f);
    vst.setPlaying(true);

    ASSERT_TRUE(plugin->activate(plugin, 44100, 1, kFrames) && plugin->start_processing(plugin))
        << "activates and starts processing";
    Events events;
    events.add(kLeftRight1, 30);
    events.add(kFrontBack1, -60);
    events.add(kSmoothing, 0);
    events.add(kAnimation1, 1);
    clap_event_transport_t transport{};
    transport.header = {sizeof transport, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_IS_PLAYING;
    transport.tempo = 120;
    bool same = true;
    for (int block = 0; block < 8 && same; ++block) {
        std::vector<float> in(kFrames, 1.0f);
        std::vector<std::vector<float>> out(6, std::vector<float>(kFrames, 0.0f));
        float* inputs[2] = {in.data(), in.data()};
        float* outputs[6];
        for (int k = 0; k < 6; ++k) outputs[k] = out[k].data();
        clap_audio_buffer_t inBuffer{inputs, nullptr, 2, 0, 0};
        clap_audio_buffer_t outBuffer{outputs, nullptr, 6, 0, 0};
        const clap_process_t call{-1, kFrames, &transport,   &inBuffer, &outBuffer,
                                  1,  1,       &events.list, &kNoOutput};
        same = plugin->process(plugin, &call) == CLAP_PROCESS_CONTINUE;
        events.values.clear();
        const auto expected = vst.process({1, 1, 0, 0, 0, 0}, kFrames);
        for (int k = 0; k < 6 && same; ++k)
            same = std::memcmp(out[k].data(), expected[k].data(), kFrames * 4) == 0;
    }
    EXPECT_TRUE(same) << "8 blocks rotating equal Orbitone.dll's bit for bit";
    plugin->stop_processing(plugin);
    plugin->deactivate(plugin);
}

}  // namespace

TEST(ClapModule, AsAWindowsHostMeetsIt) {
    const std::string path = checkArgument(0, "Orbitone.clap");
    HMODULE module = LoadLibraryA(path.c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary of Orbitone.clap";
    const auto* entry = reinterpret_cast<const clap_plugin_entry_t*>(GetProcAddress(module, "clap_entry"));
    ASSERT_TRUE(entry != nullptr && entry->init(path.c_str())) << "clap_entry is exported and initialises";
    const auto* factory =
        static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    ASSERT_TRUE(factory != nullptr && factory->get_plugin_count(factory) == 1) << "a factory of one plug-in";
    const clap_plugin_descriptor_t* d = factory->get_plugin_descriptor(factory, 0);
    EXPECT_STREQ(d->id, "com.velmora.orbitone");
    EXPECT_STREQ(d->name, "Orbitone");

    const clap_plugin_t* plugin = factory->create_plugin(factory, &kHost, d->id);
    ASSERT_TRUE(plugin != nullptr && plugin->init(plugin)) << "an instance initialises";
    const auto* ports =
        static_cast<const clap_plugin_audio_ports_t*>(plugin->get_extension(plugin, CLAP_EXT_AUDIO_PORTS));
    clap_audio_port_info_t in{}, out{};
    EXPECT_TRUE(ports && ports->get(plugin, 0, true, &in) && ports->get(plugin, 0, false, &out) &&
                in.channel_count == 2 && out.channel_count == 6)
        << "2 inputs, 6 outputs";
    const auto* params =
        static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
    EXPECT_TRUE(params && params->count(plugin) == 23) << "23 parameters";
    std::vector<uint8_t> saved;
    const clap_ostream_t stream{
        &saved, [](const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t {
            auto* bytes = static_cast<const uint8_t*>(data);
            static_cast<std::vector<uint8_t>*>(s->ctx)->insert(
                static_cast<std::vector<uint8_t>*>(s->ctx)->end(), bytes, bytes + size);
            return static_cast<int64_t>(size);
        }};
    const auto* state =
        static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
    EXPECT_TRUE(state && state->save(plugin, &stream) && saved.size() == 260) << "a 260-byte state";
    const auto* gui = static_cast<const clap_plugin_gui_t*>(plugin->get_extension(plugin, CLAP_EXT_GUI));
    EXPECT_TRUE(gui && gui->is_api_supported(plugin, CLAP_WINDOW_API_WIN32, false) &&
                !gui->is_api_supported(plugin, CLAP_WINDOW_API_X11, false))
        << "the panel embeds in win32 windows";
    EXPECT_TRUE(gui && gui->create(plugin, CLAP_WINDOW_API_WIN32, false)) << "the panel is created";
    if (gui) gui->destroy(plugin);

    const TestModule dll(checkArgument(1, "Orbitone.dll"));
    EXPECT_TRUE(dll.loaded()) << "LoadLibrary of Orbitone.dll";
    if (dll.loaded()) expectProcessingLikeTheDll(plugin, dll);
    plugin->destroy(plugin);
    entry->deinit();
}
