// A plug-in instance for editor tests: a small effect that counts its paints, wrapped by the real
// adapter and bridge, with the view's mouse entries recorded before they reach the effect.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <vector>

#include "plugin/sdk/aeffect.h"
#include "runtime/Quill.h"
#include "tests/support/ManualClock.h"

class CLumo;

namespace editortest {

class ProbeEffect : public TQuill {
  public:
    ProbeEffect() {
        editorWidth = 1130;
        editorHeight = 540;
    }
    void DoGfx() override;

    int paints = 0;
    int paintsWithoutContext = 0;
};

struct MouseCall {
    enum Kind { kDown, kUp, kMove } kind;
    double x;
    double y;
    int32_t buttons;
    double mouseFlagsAfter;
};

class EditorInstance {
  public:
    EditorInstance();
    ~EditorInstance();
    EditorInstance(const EditorInstance&) = delete;
    EditorInstance& operator=(const EditorInstance&) = delete;

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0);
    ERect* rect();
    bool open(void* parent);
    void close();
    // One host editor idle. It handles every input the host window has made so far (HostWindow
    // syncs each), and an exposure of the window paints.
    void idle();
    // Host idles the given number of milliseconds apart on the test's clock.
    void idleEvery(testsupport::ManualClock& clock, long long stepMs, int times);
    // Idles until the condition holds; false after testsupport::kPollBound.
    bool idleUntil(const std::function<bool()>& condition);

    AEffect* effect() const { return aeffect_; }
    CLumo* adapter() const { return adapter_; }
    ProbeEffect& probe() const { return *probe_; }
    // The calls the view made since the last clear, oldest first.
    static std::vector<MouseCall>& calls();
    // The opcode and index of every host callback since the last clear, oldest first.
    struct HostRequest {
        int32_t opcode;
        int32_t index;
    };
    static std::vector<HostRequest>& hostRequests();
    static int countHostRequests(int32_t opcode);

  private:
    ProbeEffect* probe_;
    CLumo* adapter_ = nullptr;
    AEffect* aeffect_ = nullptr;
};

}  // namespace editortest
