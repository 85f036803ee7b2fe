// The plug-in's editor: one frame holding one CLumoView while open, and the timed refresh.
#pragma once

#include "editor/AEffGUIEditor.h"
#include "plugin/bridge/EditorLink.h"

class CHostAdapter;
class CLumoView;

class CLumoEditor : public AEffGUIEditor, public IEditorLink {
  public:
    // vstEffect is the VST adapter the SDK base answers to the host; null under other formats.
    CLumoEditor(CHostAdapter* adapter, AudioEffect* vstEffect, int32_t width, int32_t height);

    // GUI thread (all operations below).
    AudioEffect* getEffect() override;
    // Builds a fresh frame and view in the host's window; never fails.
    bool open(void* ptr) override;
    void close() override;
    // Runs the effect's timed refresh, then the frame's idle.
    void idle() override;
    // Invalidates the view; 0 while closed.
    int32_t redraw() override;

    CHostAdapter* const adapter;
    // Owned by the frame; set by every open and only used while a frame exists.
    CLumoView* view = nullptr;
    const int32_t width;
    const int32_t height;
};
