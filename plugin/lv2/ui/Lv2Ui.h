// The panel as an LV2 X11 UI: the panel window every edition shows, in the host's parent window,
// drawing the running instance it reaches through instance access, with the panel the UI attaches
// to that instance's effect while it is open.
#pragma once

#include <lv2/ui/ui.h>

#include "editor/PanelWindow.h"
#include "plugin/lv2/ui/Lv2PanelSync.h"

class CAdapterKit;
class TQuillEffect;
struct Lv2Instance;

class CLv2Ui {
  public:
    // Null without a parent window, an instance, or a window on the display. GUI thread.
    static CLv2Ui* create(const LV2_Feature* const* features, LV2UI_Write_Function write,
                          LV2UI_Controller controller, LV2UI_Widget* widget);
    // Closes the window and its display connection and takes the panel off the effect. GUI thread.
    ~CLv2Ui();
    CLv2Ui(const CLv2Ui&) = delete;
    CLv2Ui& operator=(const CLv2Ui&) = delete;

    // A control's value from the host. GUI thread.
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // The timed refresh, the window's events, then the panel's changes to the host. GUI thread.
    int idle();

  private:
    CLv2Ui(Lv2Instance& instance, LV2UI_Write_Function write, LV2UI_Controller controller, int32_t width,
           int32_t height);
    TQuillEffect& effect() const;

    Lv2Instance& instance_;
    CAdapterKit& kit_;
    CPanelWindow window_;
    LV2UI_Write_Function write_;
    LV2UI_Controller controller_;
    CLv2PanelSync sync_;
};
