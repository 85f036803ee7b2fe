// How every format makes an instance: the table filled with the effect's entries, the format's adapter
// made around the effect and the table, and the effect told its adapter. Dispatcher thread.
#pragma once

#include "plugin/bridge/EffectBridge.h"
#include "runtime/Quill.h"

// make(effect, bridge) answers the new adapter, which owns the effect from then on, or null when the
// host gets no instance: the effect is destroyed then, since nothing else will ever own it.
template <typename Make>
auto assembleInstance(TQuill* effect, Make&& make) -> decltype(make(effect, makeEffectBridge())) {
    if (effect == nullptr) return nullptr;
    auto* adapter = make(effect, makeEffectBridge());
    if (adapter == nullptr) {
        delete effect;
        return nullptr;
    }
    effect->adapter = adapter;
    return adapter;
}
