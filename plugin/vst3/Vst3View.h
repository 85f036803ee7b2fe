// The panel as a VST 3 editor view: the panel window in the host's parent window (an X11 window id on
// Linux, an HWND on Windows), driven by the host's run loop through the view timer, never a thread
// of its own. The panel's edits end once no mouse button is held and nothing changes.
#pragma once

#include <atomic>

#include "plugin/vst3/Vst3Face.h"
#include "plugin/vst3/Vst3ViewTimer.h"
#include <travesty/view.h>

class CPanelWindow;
class CVst3Adapter;

class CVst3View {
  public:
    // A new view of the adapter's panel, referenced once; it keeps the plug-in object behind
    // pluginFace alive until it goes. GUI thread.
    static v3_plugin_view** create(CVst3Adapter& adapter, void* pluginFace);

    uint32_t ref() { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }
    uint32_t unref();
    v3_result query(const v3_tuid iid, void** object);

    // GUI thread (all below).
    v3_result attach(void* parent, const char* platformType);
    v3_result remove();
    v3_result setFrame(v3_plugin_frame** frame);
    // The timed refresh and the window's events, then the end of finished gestures.
    void tick();
    void size(v3_view_rect& rect) const;

  private:
    CVst3View(CVst3Adapter& adapter, void* pluginFace);
    ~CVst3View();

    Vst3Face<CVst3View> face_;
    std::atomic<uint32_t> references_{1};
    CVst3Adapter& adapter_;
    void* pluginFace_;
    v3_plugin_frame** frame_ = nullptr;
    CPanelWindow* window_ = nullptr;
    CVst3ViewTimer timer_;
};
