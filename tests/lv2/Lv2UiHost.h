// The UI side of the test host: the bundle's UI binary opened as a host opens it, in a host window,
// with instance access to a test instance, the idle interface driven by the test, and every
// write-function call recorded.
#pragma once

#include <lv2/ui/ui.h>

#include <vector>

#include "tests/editor/HostWindow.h"
#include "tests/lv2/Lv2TestHost.h"

namespace lv2test {

struct UiWrite {
    uint32_t port;
    float value;
};

class UiHost {
  public:
    UiHost(Instance& plugin, editortest::HostWindow& window);
    ~UiHost();
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;

    bool valid() const { return handle_ != nullptr; }
    bool hasIdleInterface() const { return idle_ != nullptr; }
    Window widget() const { return static_cast<Window>(reinterpret_cast<uintptr_t>(widget_)); }
    // Host cycles: with audio, a block of the instance, then an idle of the UI with its window
    // exposed, which handles the input the host window has made so far and paints once.
    void cycles(int count, bool audio = true);
    void portEvent(uint32_t port, float value);
    // The last value written to a port; false when none was.
    bool lastWrite(uint32_t port, float& value) const;

    std::vector<UiWrite> writes;
    int resizedWidth = 0;
    int resizedHeight = 0;

  private:
    Instance& plugin_;
    editortest::HostWindow& window_;
    const LV2UI_Descriptor* descriptor_ = nullptr;
    const LV2UI_Idle_Interface* idle_ = nullptr;
    LV2UI_Handle handle_ = nullptr;
    LV2UI_Widget widget_ = nullptr;
    LV2UI_Resize resize_{};
    LV2_Feature parentFeature_{};
    LV2_Feature instanceFeature_{};
    LV2_Feature resizeFeature_{};
    LV2_Feature mapFeature_{};
};

}  // namespace lv2test
