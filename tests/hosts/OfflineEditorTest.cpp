// The editor of an instance that has not processed any audio yet, as an offline editor such as
// Audacity shows it: the effect dialog holds its own instance and only processes on Preview or
// Apply. Needs an X display; skipped without one.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include "tests/editor/HostWindow.h"
#include "tests/host/TestHost.h"

namespace {

constexpr int32_t kLeftRight1 = 0;
constexpr int32_t kFrontBack1 = 1;
constexpr int32_t kAnimation1 = 11;
constexpr float kRotate = 0.25f;
constexpr float kCentre = 0.5f;

bool displayAvailable() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XCloseDisplay(display);
    return true;
}

}  // namespace

TEST(OfflineEditor, AnimationSwitchedOnBeforeAnyAudioKeepsThePosition) {
    if (!displayAvailable()) GTEST_SKIP() << "no X display";
    editortest::HostWindow parent;
    TestInstance host;
    ASSERT_NE(host.effect(), nullptr);
    host.start(44100, 512);
    host.setParameter(kAnimation1, kRotate);
    ASSERT_NE(host.dispatch(effEditOpen, 0, 0, parent.handle()), 0);
    // Ten paints, each exposed before its idle.
    for (int i = 0; i < 10; ++i) {
        parent.exposeChildren();
        host.dispatch(effEditIdle);
    }
    host.dispatch(effEditClose);
    // The panel follows the animated position into the sliders; with nothing processed yet that
    // position is the channel's target, not the front-left corner.
    EXPECT_FLOAT_EQ(host.getParameter(kLeftRight1), kCentre);
    EXPECT_FLOAT_EQ(host.getParameter(kFrontBack1), kCentre);
}
