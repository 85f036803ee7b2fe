#include "plugin/vst/PluginFactory.h"

#include "effect/QuillEffect.h"
#include "plugin/bridge/InstanceAssembly.h"
#include "plugin/vst/Lumo.h"

AEffect* createPluginInstance(audioMasterCallback audioMaster, TQuill* effect) {
    const auto parameters = effect != nullptr ? static_cast<int32_t>(effect->sliderRecords.size()) : 0;
    CLumo* adapter = assembleInstance(effect, [&](TQuill* hosted, const LumoBridge& bridge) {
        return CLumo::create(hosted, bridge, audioMaster, 1, parameters);
    });
    return adapterGetAEffect(adapter);
}

AEffect* createOrbitoneInstance(audioMasterCallback audioMaster) {
    return createPluginInstance(audioMaster, new TQuillEffect());
}
