#include "plugin/EditorFunctions.h"

#include "editor/LumoEditor.h"
#include "editor/LumoView.h"
#include "plugin/Lumo.h"

namespace {
CLumoEditor* editorOf(CLumo* adapter) {
    return adapter != nullptr ? static_cast<CLumoEditor*>(adapter->getEditor()) : nullptr;
}
}  // namespace

int32_t editorCreate(CLumo* adapter, int32_t width, int32_t height) {
    if (adapter == nullptr || adapter->getEditor() != nullptr) return 0;
    auto* editor = new CLumoEditor(adapter, width, height);
    // Registering sets the record's has-editor flag for the host.
    adapter->setEditor(editor);
    return 1;
}

int32_t editorGetSize(CLumo* adapter, int32_t* width, int32_t* height) {
    CLumoEditor* editor = editorOf(adapter);
    if (editor == nullptr) return 0;
    if (width != nullptr) *width = editor->width;
    if (height != nullptr) *height = editor->height;
    return 1;
}

int32_t requestRedraw(CLumo* adapter) {
    CLumoEditor* editor = editorOf(adapter);
    // Without a frame the view is gone, even though the pointer keeps its old value.
    if (editor == nullptr || editor->view == nullptr || editor->getFrame() == nullptr) return 0;
    editor->view->invalidRect(editor->view->viewRect);
    return 1;
}
