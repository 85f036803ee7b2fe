// The frame's window on X11: a child of the host's window on a display connection of its own.
// Nothing here waits for the server between idles: events are read only when they are queued, and
// the area waiting for a repaint is painted through a back buffer from the editor's idle.
#pragma once

#include <X11/Xlib.h>

#include "editor/vstgui/IPlatformFrame.h"
#include "editor/vstgui/ViewTypes.h"
#include "editor/vstgui/x11/DoubleClickDetector.h"

namespace VSTGUI {

class CFrame;
class COffscreenContext;

class X11Frame : public IPlatformFrame {
  public:
    // GUI thread. Null when there is no parent, no display, or the parent is no window of the display.
    static X11Frame* create(CFrame* frame, void* parentWindow, const CRect& size);
    // GUI thread. Destroys the window (unless the host already did) and closes the connection.
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    // GUI thread (all operations below).
    void invalidRect(const CRect& rect) override;
    CDrawContext* createDrawContext() override;
    bool getCurrentMouseLocation(CPoint& where) override;
    int32_t getCurrentMouseButtons() override;
    void setMouseCursor(int32_t type) override;
    void trackMouseLeave() override;
    bool setDropActive(bool active) override;
    bool setSize(CCoord width, CCoord height) override;
    bool getPosition(CPoint& where) override;
    bool getSize(CRect& size) override;
    // The child window's id.
    void* nativeHandle() const override;
    // Handles every queued event, then paints the area waiting for a repaint. Never blocks.
    void handleEvents() override;
    // The display connection's descriptor.
    int eventDescriptor() const override;
    // Paints one live frame of the process that waits for a repaint; false when none waits.
    static bool paintOneWaitingFrame();

    Display* getDisplay() const { return display_; }
    Window getWindow() const { return window_; }
    bool hasPendingPaint() const { return pending_; }

  private:
    X11Frame(CFrame* frame, Display* display, Window parent, int width, int height);
    bool createWindow();
    void dispatch(XEvent& event);
    void onButtonPress(const XButtonEvent& event);
    void onButtonRelease(const XButtonEvent& event);
    void onMotion(const XMotionEvent& event);
    void onEnter(const XCrossingEvent& event);
    void onLeave(const XCrossingEvent& event);
    // The grab of a drag can end without a release reaching the window (the window stops being
    // viewable, or the button goes up while it is); the frame then gets the release all the same.
    bool releaseWentUnseen(unsigned int xState) const;
    bool isViewable();
    void endLostGrab(int x, int y, unsigned int xState);
    void onWindowDestroyed();
    void addPending(int left, int top, int right, int bottom);
    void collectExposures();
    bool paintPending();
    void paint(const CRect& rect);
    void releaseBackBuffer();
    // The extra buttons have no X state mask: their held state is tracked here.
    CButtonState heldExtraButtons() const { return extraButtons_; }

    CFrame* frame_;
    Display* display_;
    Window parent_;
    Window window_ = 0;
    Visual* visual_ = nullptr;
    int width_;
    int height_;
    COffscreenContext* backBuffer_ = nullptr;
    Cursor defaultCursor_ = 0;
    Cursor cursor_ = 0;
    bool leaveRequested_ = false;
    // Set from a press the frame took, which the server grabbed the pointer for, to its release.
    bool grabbed_ = false;
    CButtonState extraButtons_ = 0;
    DoubleClickDetector doubleClicks_;
    // Bounding box of everything waiting for a repaint, in window pixels.
    bool pending_ = false;
    int pendingLeft_ = 0;
    int pendingTop_ = 0;
    int pendingRight_ = 0;
    int pendingBottom_ = 0;
};

}  // namespace VSTGUI
