// An instance is the effect with its panel and the CLAP adapter the kit assembles around it, as the
// VST edition makes them.
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
    // One module: the panel is there from the start, as in the VST edition.
    auto* effect = new TQuillEffect();
    effect->AttachPanel(makeEffectPanel());
    CClapAdapter* adapter = assembleInstance(effect, [host](TQuill* hosted, const LumoBridge& bridge) {
        return new CClapAdapter(hosted, bridge, host);
    });
    adapter->calls.open();
    return adapter;
}
