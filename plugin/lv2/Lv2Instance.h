// One LV2 instance of the plug-in: the adapter around the effect and the ports the host connected.
// A UI with instance access receives a pointer to this.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include "plugin/lv2/Lv2Adapter.h"
#include "plugin/lv2/Lv2Controls.h"
#include "plugin/lv2/Lv2FirstRun.h"
#include "plugin/lv2/Lv2Ports.h"

class TQuillEffect;

struct Lv2Instance {
    // Owns the effect.
    CLv2Adapter* adapter = nullptr;
    // The adapter's effect as the effect it is.
    TQuillEffect* effect = nullptr;
    // Whether the first run starts the channels where values set after the activation put them.
    CLv2FirstRun firstRun;
    // What the UI binary uses: the same adapter seen through the kit, where its panel window attaches
    // itself. The UI never names the LV2 adapter's own class, whose type information lives only in
    // the DSP binary. GUI thread.
    CAdapterKit* kit = nullptr;
    CLv2Controls controls;
    const float* inputs[2] = {};
    float* outputs[lv2ports::kOutputCount] = {};
    const LV2_Atom_Sequence* time = nullptr;
    // For the state interface; 0 when the host offered no URID map.
    LV2_URID stateKey = 0;
    LV2_URID chunkType = 0;
};

// The key under which the state holds the chunk.
constexpr const char* kLv2StateChunkUri = "urn:velmora:orbitone#chunk";
