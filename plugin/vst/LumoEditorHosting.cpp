// The VST adapter's editor: the toolkit editor registered with the SDK base, so that the host's
// editor requests reach it.
#include "editor/LumoEditor.h"
#include "editor/LumoView.h"
#include "plugin/vst/Lumo.h"

int32_t CLumo::createEditor(int32_t width, int32_t height) {
    if (CAdapterKit::createEditor(width, height) == 0) return 0;
    // Registering sets the record's has-editor flag for the host.
    setEditor(new CLumoEditor(this, this, width, height));
    return 1;
}

int32_t CLumo::redrawEditor() {
    auto* editor = static_cast<CLumoEditor*>(getEditor());
    // Without a frame the view is gone, even though the pointer keeps its old value.
    if (editor == nullptr || editor->view == nullptr || editor->getFrame() == nullptr) return 0;
    editor->view->invalidRect(editor->view->viewRect);
    return 1;
}
