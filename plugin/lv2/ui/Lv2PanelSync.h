// Keeps the host's controls holding what the panel set. Every value the effect's parameters moved to
// since the last look (a drag on the panel, a slider, a state restore) and that the host does not
// already hold is written to the host; values only the host changed are never written back.
#pragma once

#include <lv2/ui/ui.h>

#include "plugin/lv2/Lv2Ports.h"

class CLv2Controls;
class TQuill;

class CLv2PanelSync {
  public:
    CLv2PanelSync();

    // What the host says its control holds. GUI thread.
    void hostValue(uint32_t parameter, float value);
    // Writes the moved parameters to the host through its write function, except values that the
    // host's own last change produced. GUI thread.
    void collect(const TQuill& effect, const CLv2Controls& controls, LV2UI_Write_Function write,
                 LV2UI_Controller controller);

  private:
    // NaN until known: the first look writes whatever the host does not hold.
    float host_[lv2ports::kControlCount];
    float seen_[lv2ports::kControlCount];
};
