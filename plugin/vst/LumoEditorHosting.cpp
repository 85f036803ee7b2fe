// The VST adapter's editor: the toolkit editor registered with the SDK base, so that the host's
// editor requests reach it.
#include "editor/LumoEditor.h"
#include "editor/LumoView.h"
#include "plugin/vst/Lumo.h"

namespace {
CLumoEditor* editorOf(CLumo* adapter) {
    return static_cast<CLumoEditor*>(adapter->getEditor());
}
}  // namespace

int32_t CLumo::createEditor(int32_t width, int32_t height) {
    if (getEditor() != nullptr) return 0;
    auto* editor = new CLumoEditor(this, this, width, height);
    // Registering sets the record's has-editor flag for the host.
    setEditor(editor);
    return 1;
}

bool CLumo::editorSize(int32_t& width, int32_t& height) {
    CLumoEditor* editor = editorOf(this);
    if (editor == nullptr) return false;
    width = editor->width;
    height = editor->height;
    return true;
}

int32_t CLumo::redrawEditor() {
    CLumoEditor* editor = editorOf(this);
    // Without a frame the view is gone, even though the pointer keeps its old value.
    if (editor == nullptr || editor->view == nullptr || editor->getFrame() == nullptr) return 0;
    editor->view->invalidRect(editor->view->viewRect);
    return 1;
}
