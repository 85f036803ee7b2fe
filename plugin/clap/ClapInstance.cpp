// The instance wiring: an instance is the effect, the bridge table and the CLAP adapter around both,
// as the VST entry point makes them.
#include "plugin/clap/ClapInstance.h"

#include "effect/QuillEffect.h"
#include "plugin/bridge/InstanceAssembly.h"
#include "plugin/clap/ClapAdapter.h"

ClapInstance* clapInstanceOf(const clap_plugin_t* plugin) {
    if (plugin == nullptr) return nullptr;
    auto* instance = static_cast<ClapInstance*>(plugin->plugin_data);
    return instance != nullptr && instance->adapter != nullptr ? instance : nullptr;
}

CClapAdapter* assembleClapAdapter(const clap_host_t* host) {
    CClapAdapter* adapter = assembleInstance(
        new TQuillEffect(),
        [host](TQuill* effect, const LumoBridge& bridge) { return new CClapAdapter(effect, bridge, host); });
    adapter->calls.open();
    return adapter;
}
