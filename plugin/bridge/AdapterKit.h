// The half of every adapter that knows no plug-in format: the bridge as typed calls, and the panel as
// the effect declares it, with the window that shows it. A format's adapter derives from this and
// adds its host's requests and nothing else; it runs entry 0 at the end of its construction and
// destroys the effect through `calls` in its destructor, while it can still answer the effect.
#pragma once

#include "plugin/boundary/HostAdapter.h"
#include "plugin/bridge/BridgeCalls.h"

class IEditorLink;

class CAdapterKit : public CHostAdapter {
  public:
    CAdapterKit(TQuill* effect, const LumoBridge& bridge) : CHostAdapter(effect, bridge) {}

    // Keeps the panel size the effect declares; 0 when it was declared before. A format with an
    // editor object of its own makes it after this. Dispatcher thread.
    int32_t createEditor(int32_t width, int32_t height) override;
    bool editorSize(int32_t& width, int32_t& height) override;  // GUI thread
    // Invalidates the attached window's view; 0 without one. GUI thread.
    int32_t redrawEditor() override;

    // The window showing this instance, for as long as it exists. GUI thread.
    void attachWindow(IEditorLink* window) { window_ = window; }
    // Withdraws the window only if it is the one attached.
    void detachWindow(IEditorLink* window) {
        if (window_ == window) window_ = nullptr;
    }

    const BridgeCalls calls{*this};

  private:
    int32_t editorWidth_ = 0;
    int32_t editorHeight_ = 0;
    bool hasEditor_ = false;
    IEditorLink* window_ = nullptr;
};
