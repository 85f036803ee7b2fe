// One LV2 instance of the plug-in: the adapter around the effect and the ports the host connected.
// A UI with instance access receives a pointer to this.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include "plugin/lv2/Lv2Adapter.h"
#include "plugin/lv2/Lv2Controls.h"
#include "plugin/lv2/Lv2Ports.h"

struct Lv2Instance {
    // The adapter comes first and owns the effect.
    CLv2Adapter* adapter = nullptr;
    CLv2Controls controls;
    const float* inputs[2] = {};
    float* outputs[lv2ports::kOutputCount] = {};
    const LV2_Atom_Sequence* time = nullptr;
    // For the state interface; 0 when the host offered no URID map.
    LV2_URID stateKey = 0;
    LV2_URID chunkType = 0;
};

// The adapter of an instance handed over by instance access; null for a null handle.
inline CLv2Adapter* adapterOfInstance(const void* handle) {
    return handle != nullptr ? static_cast<const Lv2Instance*>(handle)->adapter : nullptr;
}

// The key under which the state holds the chunk.
constexpr const char* kLv2StateChunkUri = "urn:velmora:orbitone#chunk";
