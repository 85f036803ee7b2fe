#include "plugin/vst/PluginFactory.h"

#include "plugin/bridge/InstanceAssembly.h"

AEffect* createPluginInstance(audioMasterCallback audioMaster, TQuill* effect, LumoEditorMaker makeEditor) {
    const auto parameters = effect != nullptr ? static_cast<int32_t>(effect->sliderRecords.size()) : 0;
    CLumo* adapter = assembleInstance(effect, [&](TQuill* hosted, const LumoBridge& bridge) {
        return CLumo::create(hosted, bridge, audioMaster, 1, parameters, makeEditor);
    });
    return adapterGetAEffect(adapter);
}
