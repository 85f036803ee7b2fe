#include "plugin/EditorFunctions.h"

#include "editor/LumoEditor.h"
#include "plugin/Lumo.h"

int32_t editorCreate(CLumo* adapter, int32_t width, int32_t height) {
    if (adapter == nullptr || adapter->getEditor() != nullptr) return 0;
    adapter->setEditor(new CLumoEditor(adapter, width, height));
    return 1;
}

int32_t editorGetSize(CLumo* adapter, int32_t* width, int32_t* height) {
    if (adapter == nullptr) return 0;
    auto* editor = static_cast<CLumoEditor*>(adapter->getEditor());
    if (editor == nullptr) return 0;
    if (width != nullptr) *width = editor->width;
    if (height != nullptr) *height = editor->height;
    return 1;
}

int32_t requestRedraw(CLumo*) {
    // The editor has no view to invalidate yet.
    return 0;
}
