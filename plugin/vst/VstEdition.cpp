// The module's edition: the effect with its panel, shown by the toolkit editor that the SDK base
// answers the host's editor requests with.
#include "editor/vst/LumoEditor.h"
#include "effect/QuillEffect.h"
#include "plugin/vst/PluginFactory.h"

AEffEditor* makeLumoEditor(CLumo& adapter, int32_t width, int32_t height) {
    auto* editor = new CLumoEditor(adapter, &adapter, width, height);
    // The effect's repaint requests reach the panel window through the kit.
    adapter.attachWindow(&editor->window());
    return editor;
}

AEffect* createOrbitoneInstance(audioMasterCallback audioMaster) {
    auto* effect = new TQuillEffect();
    effect->AttachPanel(makeEffectPanel());
    return createPluginInstance(audioMaster, effect, makeLumoEditor);
}
