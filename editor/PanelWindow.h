// The panel in a host's window, for every format: one frame holding one CLumoView on the adapter, and
// the timed refresh that keeps it drawn. The VST editor wraps one; the LV2 UI and the CLAP GUI own
// one directly. Attached to the adapter's kit, it takes the effect's repaint requests. GUI thread.
#pragma once

#include <cstdint>

#include "plugin/bridge/EditorLink.h"

class CHostAdapter;
class CLumoView;
namespace VSTGUI {
class CFrame;
class VSTGUIEditorInterface;
}  // namespace VSTGUI

class CPanelWindow : public IEditorLink {
  public:
    CPanelWindow(CHostAdapter& adapter, int32_t width, int32_t height);
    // Does not close an open window: its owner closes it first, as a VST host's close request comes
    // before the editor goes.
    ~CPanelWindow() override = default;
    CPanelWindow(const CPanelWindow&) = delete;
    CPanelWindow& operator=(const CPanelWindow&) = delete;

    // Builds a fresh frame and view in the host's window, closing the ones before; the frame's
    // requests to an editor go to editor (null: none). Never fails: without a usable parent the frame
    // lives on without a window.
    void open(void* parent, VSTGUI::VSTGUIEditorInterface* editor = nullptr);
    void close();
    // The timed refresh (bridge entry 5) while a frame and its view exist.
    void refresh();
    // The window's waiting events, then the frame's idle, which invalidates the views marked dirty.
    void handleEvents();
    // A host's idle: both.
    void idle();
    // Invalidates the view; 0 while closed.
    int32_t redraw() override;

    // The platform window as a host embeds it; null while closed or without a window.
    void* nativeHandle() const;
    // The window-system connection to watch for the window's events; -1 where there is none.
    int eventDescriptor() const;

    VSTGUI::CFrame* frame() const { return frame_; }
    // The view of the last open; owned by the frame, used only while a frame exists.
    CLumoView* view() const { return view_; }

    const int32_t width;
    const int32_t height;

  private:
    CHostAdapter& adapter_;
    VSTGUI::CFrame* frame_ = nullptr;
    CLumoView* view_ = nullptr;
};
