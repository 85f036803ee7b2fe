#include "editor/LumoEditor.h"

#include "plugin/Lumo.h"

CLumoEditor::CLumoEditor(CLumo* adapter, int32_t width, int32_t height)
    : AEffEditor(adapter), adapter(adapter), width(width), height(height) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16_t>(height);
    rect.right = static_cast<int16_t>(width);
}

bool CLumoEditor::getRect(ERect** out) {
    if (out == nullptr) return false;
    *out = &rect;
    return true;
}
