// The audio-ports and surround extensions: one main stereo input, one main 5.1 output in the order
// L, R, C, LFE, Ls, Rs (front left, front right, front centre, LFE, back left, back right).
#pragma once

#include <clap/ext/audio-ports.h>

#include "plugin/clap/ClapSurround.h"

const clap_plugin_audio_ports_t* clapAudioPortsExtension();
const clap_plugin_surround_t* clapSurroundExtension();
