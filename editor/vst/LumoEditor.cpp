#include "editor/vst/LumoEditor.h"

CLumoEditor::CLumoEditor(CHostAdapter& adapter, AudioEffect* vstEffect, int32_t width, int32_t height)
    : AEffGUIEditor(vstEffect), window_(adapter, width, height) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16_t>(height);
    rect.right = static_cast<int16_t>(width);
}

AudioEffect* CLumoEditor::getEffect() {
    return effect;
}

bool CLumoEditor::open(void* ptr) {
    // The host window is deliberately not recorded in the base: isOpen stays false.
    window_.open(ptr, this);
    frame = window_.frame();
    return true;
}

void CLumoEditor::close() {
    frame = nullptr;
    window_.close();
}

void CLumoEditor::idle() {
    window_.refresh();
    AEffGUIEditor::idle();
}
