#include "plugin/boundary/EditorFunctions.h"

#include "plugin/boundary/HostAdapter.h"

int32_t editorCreate(CHostAdapter* adapter, int32_t width, int32_t height) {
    return adapter != nullptr ? adapter->createEditor(width, height) : 0;
}

int32_t editorGetSize(CHostAdapter* adapter, int32_t* width, int32_t* height) {
    int32_t w = 0;
    int32_t h = 0;
    if (adapter == nullptr || !adapter->editorSize(w, h)) return 0;
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    return 1;
}

int32_t requestRedraw(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->redrawEditor() : 0;
}
