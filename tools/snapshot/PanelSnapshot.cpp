#include "tools/snapshot/PanelSnapshot.h"

#include "editor/vstgui/COffscreenContext.h"
#include "plugin/vst/Lumo.h"

namespace snapshot {

bool drawPanelFrame(AEffect* effect, VSTGUI::COffscreenContext& context) {
    if (effect == nullptr || effect->object == nullptr) return false;
    auto* adapter = static_cast<CLumo*>(static_cast<AudioEffect*>(effect->object));
    if (adapter->bridge.draw == nullptr) return false;
    adapter->currentContext = &context;
    adapter->bridge.draw(adapter, context.getWidth(), context.getHeight());
    adapter->currentContext = nullptr;
    return true;
}

}  // namespace snapshot
