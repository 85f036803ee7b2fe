// The state extension: the same 260-byte chunk as the VST edition's. A stream that is not a whole
// chunk of ours is refused and changes nothing.
#pragma once

#include <clap/ext/state.h>

const clap_plugin_state_t* clapStateExtension();
