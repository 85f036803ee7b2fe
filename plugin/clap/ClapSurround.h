// CLAP's surround extension, declared after the published CLAP 1.2.0 header (ext/surround.h), which
// the packaged CLAP 1.1 headers lack. Hosts that took it up while it was a draft ask by the draft id,
// which names the same interface.
#pragma once

#include <clap/plugin.h>

static CLAP_CONSTEXPR const char kClapExtSurround[] = "clap.surround/4";
static CLAP_CONSTEXPR const char kClapExtSurroundDraft[] = "clap.surround.draft/4";
static CLAP_CONSTEXPR const char kClapPortSurround[] = "surround";

// Channel identifiers; a channel mask has bit (1 << identifier) for each channel present.
enum : uint8_t {
    kClapSurroundFL = 0,
    kClapSurroundFR = 1,
    kClapSurroundFC = 2,
    kClapSurroundLFE = 3,
    kClapSurroundBL = 4,
    kClapSurroundBR = 5,
};

extern "C" {

typedef struct clap_plugin_surround {
    // [main-thread]
    bool(CLAP_ABI* is_channel_mask_supported)(const clap_plugin_t* plugin, uint64_t channel_mask);
    // Stores the identifier of each channel of the port; answers how many were stored. [main-thread]
    uint32_t(CLAP_ABI* get_channel_map)(const clap_plugin_t* plugin, bool is_input, uint32_t port_index,
                                        uint8_t* channel_map, uint32_t channel_map_capacity);
} clap_plugin_surround_t;

}  // extern "C"
