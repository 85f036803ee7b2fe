// The instance wiring: an instance is the effect, the bridge table and the CLAP adapter around both,
// as the VST entry point makes them.
#include "plugin/clap/ClapInstance.h"

#include "effect/QuillEffect.h"
#include "plugin/bridge/EffectBridge.h"
#include "plugin/clap/ClapAdapter.h"

ClapInstance* clapInstanceOf(const clap_plugin_t* plugin) {
    if (plugin == nullptr) return nullptr;
    auto* instance = static_cast<ClapInstance*>(plugin->plugin_data);
    return instance != nullptr && instance->adapter != nullptr ? instance : nullptr;
}

CClapAdapter* assembleClapAdapter(const clap_host_t* host) {
    auto* effect = new TQuillEffect();
    auto* adapter = new CClapAdapter(effect, makeEffectBridge(), host);
    effect->adapter = adapter;
    if (adapter->bridge.open != nullptr) adapter->bridge.open(adapter);
    return adapter;
}
