// One CLAP instance of the plug-in: the record the host holds, the adapter around the effect, and
// the panel. Every callback of the extensions finds it through the record's plugin_data.
#pragma once

#include <clap/plugin.h>

#include "plugin/clap/ClapGui.h"
#include "plugin/clap/ClapThreads.h"

class CClapAdapter;

struct ClapInstance {
    clap_plugin_t plugin{};
    const clap_host_t* host = nullptr;
    // Owns the effect; made at init.
    CClapAdapter* adapter = nullptr;
    CClapThreads threads;
    CClapGui gui;
    bool active = false;
};

// Null for a null record or one not made here (an instance before init included).
ClapInstance* clapInstanceOf(const clap_plugin_t* plugin);
// The effect, the bridge table and the adapter around both, opened. Main thread.
CClapAdapter* assembleClapAdapter(const clap_host_t* host);
