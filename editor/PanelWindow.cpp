#include "editor/PanelWindow.h"

#include "editor/EditorPlatform.h"
#include "editor/LumoView.h"
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/IPlatformFrame.h"
#include "plugin/bridge/BridgeCalls.h"

using VSTGUI::CFrame;
using VSTGUI::CRect;

CPanelWindow::CPanelWindow(CHostAdapter& adapter, int32_t width, int32_t height)
    : width(width), height(height), adapter_(adapter) {}

void CPanelWindow::open(void* parent, VSTGUI::VSTGUIEditorInterface* editor) {
    // A second open without a close would strand the first window and its connection.
    close();
    const CRect panel(0, 0, width, height);
    frame_ = new CFrame(panel, parent, editor);
    view_ = new CLumoView(panel, &adapter_);
    frame_->addView(view_);
}

void CPanelWindow::close() {
    if (frame_ == nullptr) return;
    CFrame* closing = frame_;
    frame_ = nullptr;
    closing->forget();
}

void CPanelWindow::refresh() {
    if (view_ != nullptr && frame_ != nullptr) BridgeCalls(adapter_).editorIdle();
}

void CPanelWindow::handleEvents() {
    if (frame_ == nullptr) return;
    editorplatform::handleWindowEvents(frame_);
    frame_->idle();
}

void CPanelWindow::idle() {
    refresh();
    handleEvents();
}

int32_t CPanelWindow::redraw() {
    // Without a frame the view is gone, even though the pointer keeps its old value.
    if (view_ == nullptr || frame_ == nullptr) return 0;
    view_->invalidRect(view_->viewRect);
    return 1;
}

void* CPanelWindow::nativeHandle() const {
    return frame_ != nullptr && frame_->getPlatformFrame() != nullptr
               ? frame_->getPlatformFrame()->nativeHandle()
               : nullptr;
}

int CPanelWindow::eventDescriptor() const {
    return frame_ != nullptr && frame_->getPlatformFrame() != nullptr
               ? frame_->getPlatformFrame()->eventDescriptor()
               : -1;
}
