#include "editor/LumoEditor.h"

#include "editor/LumoView.h"
#include "editor/vstgui/CFrame.h"
#include "plugin/bridge/BridgeCalls.h"

using VSTGUI::CFrame;
using VSTGUI::CRect;

CLumoEditor::CLumoEditor(CHostAdapter* adapter, AudioEffect* vstEffect, int32_t width, int32_t height)
    : AEffGUIEditor(vstEffect), adapter(adapter), width(width), height(height) {
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
    // A second open without a close would strand the first window and its connection.
    close();
    const CRect panel(0, 0, width, height);
    frame = new CFrame(panel, ptr, this);
    view = new CLumoView(panel, adapter);
    frame->addView(view);
    return true;
}

void CLumoEditor::close() {
    if (frame == nullptr) return;
    CFrame* closing = frame;
    frame = nullptr;
    closing->forget();
}

void CLumoEditor::idle() {
    if (view != nullptr && frame != nullptr && adapter != nullptr) BridgeCalls(*adapter).editorIdle();
    AEffGUIEditor::idle();
}

int32_t CLumoEditor::redraw() {
    // Without a frame the view is gone, even though the pointer keeps its old value.
    if (view == nullptr || frame == nullptr) return 0;
    view->invalidRect(view->viewRect);
    return 1;
}
