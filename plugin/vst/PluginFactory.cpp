#include "plugin/vst/PluginFactory.h"

#include "effect/QuillEffect.h"
#include "plugin/boundary/ReverseFunctions.h"
#include "plugin/bridge/EffectBridge.h"
#include "plugin/vst/Lumo.h"

AEffect* createPluginInstance(audioMasterCallback audioMaster, TQuill* effect) {
    const LumoBridge bridge = makeEffectBridge();
    const int32_t parameters = static_cast<int32_t>(effect->sliderRecords.size());
    CLumo* adapter = CLumo::create(effect, bridge, audioMaster, 1, parameters);
    if (adapter == nullptr) {
        // Nobody else will ever own the effect.
        delete effect;
        return nullptr;
    }
    effect->adapter = adapter;
    return adapterGetAEffect(adapter);
}

AEffect* createOrbitoneInstance(audioMasterCallback audioMaster) {
    return createPluginInstance(audioMaster, new TQuillEffect());
}
