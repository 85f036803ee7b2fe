// The X11 frame with a recording view of its own: wheel steps, leave notification, pointer capture
// and the path from an invalidation to pixels in the window.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <X11/Xutil.h>

#include "HostWindow.h"
#include "editor/EditorPlatform.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/x11/X11Frame.h"
#include "tests/support/PollUntil.h"

using namespace VSTGUI;
using namespace editortest;

namespace {

class RecordingView : public CView {
  public:
    explicit RecordingView(const CRect& size) : CView(size) {}

    void draw(CDrawContext* context) override {
        ++draws;
        context->setFillColor(fill);
        context->fillRect(getViewSize());
    }
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override { return pressAnswer; }
    CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override {
        ++exits;
        return kMouseEventHandled;
    }
    bool onWheel(const CPoint&, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState&) override {
        wheels.push_back({axis, distance});
        return true;
    }

    struct Wheel {
        CMouseWheelAxis axis;
        float distance;
    };
    std::vector<Wheel> wheels;
    CMouseEventResult pressAnswer = kMouseEventHandled;
    CColor fill{255, 0, 0, 255};
    int draws = 0;
    int exits = 0;
};

class FrameWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = new CFrame(CRect(0, 0, 400, 300), host.handle(), nullptr);
        view = new RecordingView(CRect(0, 0, 400, 300));
        frame->addView(view);
        ASSERT_TRUE(idleUntil([&] { return view->draws > 0; }));
    }
    void TearDown() override { frame->forget(); }

    // Handles every input the host window has made so far (it syncs each).
    void idle() {
        editorplatform::handleWindowEvents(frame);
        frame->idle();
    }
    bool idleUntil(const std::function<bool()>& condition) {
        return testsupport::pollUntil(condition, [this] { idle(); });
    }
    // The window's pixel as the server holds it, in 8-bit channels.
    XColor pixelAt(int x, int y) {
        Window window = static_cast<X11Frame*>(frame->getPlatformFrame())->getWindow();
        XImage* image = XGetImage(host.display(), window, x, y, 1, 1, AllPlanes, ZPixmap);
        XColor color{};
        if (!image) return color;
        color.pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        XWindowAttributes attributes;
        XGetWindowAttributes(host.display(), window, &attributes);
        XQueryColor(host.display(), attributes.colormap, &color);
        color.red >>= 8;
        color.green >>= 8;
        color.blue >>= 8;
        return color;
    }

    HostWindow host;
    CFrame* frame = nullptr;
    RecordingView* view = nullptr;
};

}  // namespace

TEST_F(FrameWindow, InvalidationRepaintsAtTheNextIdleThroughTheBackBuffer) {
    XColor before = pixelAt(200, 150);
    EXPECT_GT(before.red, 200);
    EXPECT_LT(before.green, 60);
    view->fill = CColor{0, 0, 255, 255};
    const int draws = view->draws;
    view->invalid();
    EXPECT_EQ(view->draws, draws);
    idle();
    EXPECT_EQ(view->draws, draws + 1);
    XColor after = pixelAt(200, 150);
    EXPECT_LT(after.red, 60);
    EXPECT_GT(after.blue, 200);
}

TEST_F(FrameWindow, WheelButtonsStepOneNotchEach) {
    host.movePointer(50, 50);
    for (unsigned int button : {4u, 5u, 6u, 7u}) host.click(button);
    ASSERT_TRUE(idleUntil([&] { return view->wheels.size() >= 4; }));
    EXPECT_EQ(view->wheels[0].axis, kMouseWheelAxisY);
    EXPECT_EQ(view->wheels[0].distance, 1.0f);
    EXPECT_EQ(view->wheels[1].distance, -1.0f);
    EXPECT_EQ(view->wheels[2].axis, kMouseWheelAxisX);
    EXPECT_EQ(view->wheels[2].distance, -1.0f);
    EXPECT_EQ(view->wheels[3].axis, kMouseWheelAxisX);
    EXPECT_EQ(view->wheels[3].distance, 1.0f);
}

TEST_F(FrameWindow, LeavingTheWindowTellsTheHoveredViewOnce) {
    host.movePointer(50, 50);
    idle();
    host.movePointer(60, 50);
    ASSERT_TRUE(idleUntil([&] { return frame->getMouseOverView() == view; }));
    host.movePointer(500, 50);
    ASSERT_TRUE(idleUntil([&] { return view->exits > 0; }));
    EXPECT_EQ(frame->getMouseOverView(), nullptr);
    host.movePointer(60, 50);
    host.movePointer(500, 50);
    idle();
    // Coming back only hovers again after a move inside; one exit per stay.
    EXPECT_LE(view->exits, 2);
}

TEST_F(FrameWindow, HandledPressCapturesThePointerUntilTheRelease) {
    host.movePointer(50, 50);
    idle();
    host.button(1, true);
    idle();
    Window root = DefaultRootWindow(host.display());
    // The editor's connection holds the grab: nobody else can take the pointer.
    EXPECT_EQ(
        XGrabPointer(host.display(), root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
        AlreadyGrabbed);
    host.button(1, false);
    idle();
    EXPECT_EQ(
        XGrabPointer(host.display(), root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
        GrabSuccess);
    XUngrabPointer(host.display(), CurrentTime);
    host.sync();
}

TEST_F(FrameWindow, UnhandledPressLeavesThePointerFree) {
    view->pressAnswer = kMouseEventNotHandled;
    host.movePointer(50, 50);
    idle();
    host.button(1, true);
    idle();
    Window root = DefaultRootWindow(host.display());
    EXPECT_EQ(
        XGrabPointer(host.display(), root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
        GrabSuccess);
    XUngrabPointer(host.display(), CurrentTime);
    host.button(1, false);
}

TEST_F(FrameWindow, CursorKindsAndPointerQueriesWork) {
    host.movePointer(33, 44);
    CPoint where;
    ASSERT_TRUE(frame->getCurrentMouseLocation(where));
    EXPECT_EQ(where, CPoint(33, 44));
    host.button(3, true);
    EXPECT_EQ(frame->getCurrentMouseButtons(), kRButton);
    host.button(3, false);
    const int descriptors = openFileDescriptors();
    for (int32_t kind = -1; kind <= 11; ++kind) frame->setCursor(kind);
    frame->setCursor(0);
    EXPECT_EQ(openFileDescriptors(), descriptors);
    EXPECT_TRUE(frame->getOpenFlag());
}
