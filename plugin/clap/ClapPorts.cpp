#include "plugin/clap/ClapPorts.h"

#include <cstring>

#include "plugin/clap/ClapInstance.h"

namespace {

constexpr uint8_t kInputMap[] = {kClapSurroundFL, kClapSurroundFR};
constexpr uint8_t kOutputMap[] = {kClapSurroundFL,  kClapSurroundFR, kClapSurroundFC,
                                  kClapSurroundLFE, kClapSurroundBL, kClapSurroundBR};

bool onMain(const clap_plugin_t* plugin, const char* call) {
    ClapInstance* instance = clapInstanceOf(plugin);
    return instance != nullptr && instance->threads.main(call);
}

uint32_t CLAP_ABI count(const clap_plugin_t* plugin, bool) {
    return onMain(plugin, "clap_plugin_audio_ports.count") ? 1 : 0;
}

bool CLAP_ABI get(const clap_plugin_t* plugin, uint32_t index, bool isInput, clap_audio_port_info_t* info) {
    if (!onMain(plugin, "clap_plugin_audio_ports.get") || index != 0 || info == nullptr) return false;
    *info = clap_audio_port_info_t{};
    info->id = 0;
    std::strcpy(info->name, isInput ? "Input" : "Output");
    info->flags = CLAP_AUDIO_PORT_IS_MAIN;
    info->channel_count = isInput ? sizeof kInputMap : sizeof kOutputMap;
    info->port_type = isInput ? CLAP_PORT_STEREO : kClapPortSurround;
    info->in_place_pair = CLAP_INVALID_ID;
    return true;
}

uint64_t maskOf(const uint8_t* map, size_t channels) {
    uint64_t mask = 0;
    for (size_t k = 0; k < channels; ++k) mask |= uint64_t{1} << map[k];
    return mask;
}

bool CLAP_ABI isChannelMaskSupported(const clap_plugin_t* plugin, uint64_t mask) {
    return onMain(plugin, "clap_plugin_surround.is_channel_mask_supported") &&
           mask == maskOf(kOutputMap, sizeof kOutputMap);
}

uint32_t CLAP_ABI getChannelMap(const clap_plugin_t* plugin, bool isInput, uint32_t port, uint8_t* map,
                                uint32_t capacity) {
    if (!onMain(plugin, "clap_plugin_surround.get_channel_map") || port != 0 || map == nullptr) return 0;
    const uint8_t* ours = isInput ? kInputMap : kOutputMap;
    const uint32_t channels = isInput ? sizeof kInputMap : sizeof kOutputMap;
    if (capacity < channels) return 0;
    std::memcpy(map, ours, channels);
    return channels;
}

}  // namespace

const clap_plugin_audio_ports_t* clapAudioPortsExtension() {
    static const clap_plugin_audio_ports_t extension = {count, get};
    return &extension;
}

const clap_plugin_surround_t* clapSurroundExtension() {
    static const clap_plugin_surround_t extension = {isChannelMaskSupported, getChannelMap};
    return &extension;
}
