// The editor of an instance that has not processed any audio yet, as an offline editor such as
// Audacity shows it: the effect dialog holds its own instance and only processes on Preview or
// Apply. Needs an X display; skipped without one.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "tests/host/TestHost.h"

namespace {

constexpr int32_t kLeftRight1 = 0;
constexpr int32_t kFrontBack1 = 1;
constexpr int32_t kAnimation1 = 11;
constexpr float kRotate = 0.25f;
constexpr float kCentre = 0.5f;

class ParentWindow {
  public:
    ParentWindow() {
        display_ = XOpenDisplay(nullptr);
        if (!display_) return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1130, 540, 0, 0, 0);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~ParentWindow() {
        if (!display_) return;
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    bool open() const { return display_ != nullptr; }
    void* handle() const { return reinterpret_cast<void*>(window_); }

  private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

void idle(TestInstance& host, int rounds) {
    for (int i = 0; i < rounds; ++i) {
        host.dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
}

}  // namespace

TEST(OfflineEditor, AnimationSwitchedOnBeforeAnyAudioKeepsThePosition) {
    ParentWindow parent;
    if (!parent.open()) GTEST_SKIP() << "no X display";
    TestInstance host;
    ASSERT_NE(host.effect(), nullptr);
    host.start(44100, 512);
    host.setParameter(kAnimation1, kRotate);
    ASSERT_NE(host.dispatch(effEditOpen, 0, 0, parent.handle()), 0);
    idle(host, 10);
    host.dispatch(effEditClose);
    // The panel follows the animated position into the sliders; with nothing processed yet that
    // position is the channel's target, not the front-left corner.
    EXPECT_FLOAT_EQ(host.getParameter(kLeftRight1), kCentre);
    EXPECT_FLOAT_EQ(host.getParameter(kFrontBack1), kCentre);
}
