// The VST edition's editor: the SDK's editor base around the panel window, so that the host's editor
// requests (rectangle, open, close, idle, keys) reach the panel.
#pragma once

#include "editor/PanelWindow.h"
#include "editor/vst/AEffGUIEditor.h"

class CHostAdapter;

class CLumoEditor : public AEffGUIEditor {
  public:
    // vstEffect is the VST adapter the SDK base answers to the host.
    CLumoEditor(CHostAdapter& adapter, AudioEffect* vstEffect, int32_t width, int32_t height);

    // GUI thread (all operations below).
    AudioEffect* getEffect() override;
    // Builds a fresh frame and view in the host's window; never fails.
    bool open(void* ptr) override;
    void close() override;
    // Runs the effect's timed refresh, then the frame's idle.
    void idle() override;

    CPanelWindow& window() { return window_; }

  private:
    CPanelWindow window_;
};
