#include "editor/vstgui/x11/X11Frame.h"

#include <X11/cursorfont.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/COffscreenContext.h"
#include "editor/vstgui/x11/X11ButtonState.h"
#include "editor/vstgui/x11/X11ErrorTrap.h"
#include "editor/vstgui/x11/X11WindowContext.h"

namespace VSTGUI {

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | StructureNotifyMask;

// Every live frame of the process, for painting one waiting frame during a long GUI operation.
std::vector<X11Frame*>& liveFrames() {
    static std::vector<X11Frame*> frames;
    return frames;
}

int toPixels(CCoord value) {
    return static_cast<int>(value);
}

// Some servers (Xvfb among them) now and then reset a connection during its set-up; another
// attempt goes through.
Display* openDisplay() {
    constexpr int kAttempts = 3;
    Display* display = nullptr;
    for (int attempt = 0; attempt < kAttempts && !display; ++attempt) display = XOpenDisplay(nullptr);
    return display;
}

// The font cursor of a cursor kind; 0 for the kinds that restore the window's own arrow.
unsigned int fontCursorOf(int32_t kind) {
    switch (kind) {
        case 1:
            return XC_watch;
        case 2:
            return XC_sb_h_double_arrow;
        case 3:
            return XC_sb_v_double_arrow;
        case 4:
            return XC_fleur;
        case 5:
            return XC_bottom_left_corner;  // north-east / south-west
        case 6:
            return XC_top_left_corner;  // north-west / south-east
        case 8:
            return XC_X_cursor;  // not allowed
        case 9:
            return XC_hand2;
        default:
            return 0;
    }
}

}  // namespace

X11Frame* X11Frame::create(CFrame* frame, void* parentWindow, const CRect& size) {
    const auto parent = static_cast<Window>(reinterpret_cast<uintptr_t>(parentWindow));
    if (!frame || parent == 0) return nullptr;
    Display* display = openDisplay();
    if (!display) return nullptr;
    auto* platform = new X11Frame(frame, display, parent, std::max(1, toPixels(size.getWidth())),
                                  std::max(1, toPixels(size.getHeight())));
    if (!platform->createWindow()) {
        delete platform;
        return nullptr;
    }
    return platform;
}

X11Frame::X11Frame(CFrame* frame, Display* display, Window parent, int width, int height)
    : frame_(frame), display_(display), parent_(parent), width_(width), height_(height) {
    liveFrames().push_back(this);
}

bool X11Frame::createWindow() {
    X11ErrorTrap trap(display_);
    XWindowAttributes parentAttributes;
    if (!XGetWindowAttributes(display_, parent_, &parentAttributes) || trap.failed()) return false;

    XSetWindowAttributes attributes{};
    // No background: exposed areas keep their pixels until the back buffer is copied over them.
    attributes.background_pixmap = None;
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = kEventMask;
    defaultCursor_ = XCreateFontCursor(display_, XC_left_ptr);
    attributes.cursor = defaultCursor_;
    window_ = XCreateWindow(display_, parent_, 0, 0, static_cast<unsigned>(width_),
                            static_cast<unsigned>(height_), 0, CopyFromParent, InputOutput, CopyFromParent,
                            CWBackPixmap | CWBitGravity | CWEventMask | CWCursor, &attributes);
    if (trap.failed()) {
        window_ = 0;
        return false;
    }
    XWindowAttributes own;
    if (!XGetWindowAttributes(display_, window_, &own) || trap.failed()) return false;
    visual_ = own.visual;
    XMapWindow(display_, window_);
    return !trap.failed();
}

X11Frame::~X11Frame() {
    auto& frames = liveFrames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    releaseBackBuffer();
    {
        X11ErrorTrap trap(display_);
        // The window may be gone with the host's: its errors end in the trap.
        if (window_) XDestroyWindow(display_, window_);
        if (cursor_) XFreeCursor(display_, cursor_);
        if (defaultCursor_) XFreeCursor(display_, defaultCursor_);
        trap.failed();
    }
    XCloseDisplay(display_);
}

void X11Frame::releaseBackBuffer() {
    if (backBuffer_) backBuffer_->forget();
    backBuffer_ = nullptr;
}

void X11Frame::invalidRect(const CRect& rect) {
    addPending(toPixels(rect.left), toPixels(rect.top), toPixels(rect.right), toPixels(rect.bottom));
}

void X11Frame::addPending(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (right <= left || bottom <= top) return;
    if (!pending_) {
        pending_ = true;
        pendingLeft_ = left;
        pendingTop_ = top;
        pendingRight_ = right;
        pendingBottom_ = bottom;
        return;
    }
    pendingLeft_ = std::min(pendingLeft_, left);
    pendingTop_ = std::min(pendingTop_, top);
    pendingRight_ = std::max(pendingRight_, right);
    pendingBottom_ = std::max(pendingBottom_, bottom);
}

CDrawContext* X11Frame::createDrawContext() {
    if (!window_) return nullptr;
    return X11WindowContext::create(frame_, display_, window_, visual_, width_, height_);
}

bool X11Frame::getCurrentMouseLocation(CPoint& where) {
    if (!window_) return false;
    X11ErrorTrap trap(display_);
    Window root, child;
    int rootX, rootY, x, y;
    unsigned int mask;
    if (!XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask) || trap.failed())
        return false;
    where = CPoint(x, y);
    return true;
}

int32_t X11Frame::getCurrentMouseButtons() {
    if (!window_) return 0;
    X11ErrorTrap trap(display_);
    Window root, child;
    int rootX, rootY, x, y;
    unsigned int mask = 0;
    if (!XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask) || trap.failed())
        return 0;
    return buttonStateFromMask(mask) | heldExtraButtons();
}

void X11Frame::setMouseCursor(int32_t type) {
    if (!window_) return;
    X11ErrorTrap trap(display_);
    const unsigned int shape = fontCursorOf(type);
    Cursor next = shape ? XCreateFontCursor(display_, shape) : 0;
    XDefineCursor(display_, window_, next ? next : defaultCursor_);
    if (cursor_) XFreeCursor(display_, cursor_);
    cursor_ = next;
    XFlush(display_);
}

void X11Frame::trackMouseLeave() {
    leaveRequested_ = true;
}

bool X11Frame::setDropActive(bool) {
    // Dropping files onto the editor is not offered on X11.
    return false;
}

bool X11Frame::setSize(CCoord width, CCoord height) {
    if (!window_) return false;
    const int w = std::max(1, toPixels(width));
    const int h = std::max(1, toPixels(height));
    X11ErrorTrap trap(display_);
    XResizeWindow(display_, window_, static_cast<unsigned>(w), static_cast<unsigned>(h));
    if (trap.failed()) return false;
    width_ = w;
    height_ = h;
    releaseBackBuffer();
    addPending(0, 0, width_, height_);
    return true;
}

bool X11Frame::getPosition(CPoint& where) {
    if (!window_) return false;
    // The outermost host window is the one just below the root; its place is in root coordinates.
    X11ErrorTrap trap(display_);
    Window current = window_;
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, current, &root, &parent, &children, &count)) return false;
        if (children) XFree(children);
        if (parent == 0 || parent == root) break;
        current = parent;
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, current, &attributes) || trap.failed()) return false;
    where = CPoint(attributes.x, attributes.y);
    return true;
}

bool X11Frame::getSize(CRect& size) {
    if (!window_) return false;
    X11ErrorTrap trap(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, parent_, &attributes) || trap.failed()) return false;
    size =
        CRect(attributes.x, attributes.y, attributes.x + attributes.width, attributes.y + attributes.height);
    return true;
}

void* X11Frame::nativeHandle() const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window_));
}

int X11Frame::eventDescriptor() const {
    return ConnectionNumber(display_);
}

void X11Frame::handleEvents() {
    X11ErrorTrap trap(display_);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        dispatch(event);
    }
    paintPending();
}

void X11Frame::dispatch(XEvent& event) {
    if (event.xany.window != window_ || !window_) return;
    switch (event.type) {
        case Expose:
            addPending(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                       event.xexpose.y + event.xexpose.height);
            break;
        case ButtonPress:
            onButtonPress(event.xbutton);
            break;
        case ButtonRelease:
            onButtonRelease(event.xbutton);
            break;
        case MotionNotify: {
            // Only the latest of a run of moves matters, as with coalesced move messages elsewhere.
            XEvent next;
            while (XEventsQueued(display_, QueuedAlready) > 0) {
                XPeekEvent(display_, &next);
                if (next.type != MotionNotify || next.xmotion.window != window_) break;
                XNextEvent(display_, &event);
            }
            onMotion(event.xmotion);
            break;
        }
        case EnterNotify:
            onEnter(event.xcrossing);
            break;
        case LeaveNotify:
            onLeave(event.xcrossing);
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window_) onWindowDestroyed();
            break;
        default:
            break;
    }
}

void X11Frame::onButtonPress(const XButtonEvent& event) {
    CPoint where(event.x, event.y);
    if (isWheelButton(event.button)) {
        const WheelStep step = wheelStepOf(event.button);
        frame_->onWheel(where, step.axis, step.distance, modifiersFromMask(event.state));
        return;
    }
    if (releaseWentUnseen(event.state)) endLostGrab(event.x, event.y, event.state);
    const CButtonState bit = buttonBitOf(event.button);
    extraButtons_ |= bit & (kButton4 | kButton5);
    // X's state is that before the event; the toolkit's includes the button just pressed.
    CButtonState buttons = buttonStateFromMask(event.state) | heldExtraButtons() | bit;
    if (doubleClicks_.press(event.button, event.x, event.y, static_cast<uint32_t>(event.time)))
        buttons |= kDoubleClick;
    // The server grabbed the pointer for this window with the press; a press nobody took gives it back.
    grabbed_ = frame_->onMouseDown(where, buttons) == kMouseEventHandled;
    if (!grabbed_) XUngrabPointer(display_, event.time);
}

void X11Frame::onButtonRelease(const XButtonEvent& event) {
    if (isWheelButton(event.button)) return;
    const CButtonState bit = buttonBitOf(event.button);
    extraButtons_ &= ~bit;
    // The buttons still held after this release.
    const CButtonState buttons = (buttonStateFromMask(event.state) & ~bit) | heldExtraButtons();
    CPoint where(event.x, event.y);
    grabbed_ = false;
    frame_->onMouseUp(where, buttons);
    // Releasing any button ends the capture, even while another one is still held.
    XUngrabPointer(display_, event.time);
}

void X11Frame::onMotion(const XMotionEvent& event) {
    if (releaseWentUnseen(event.state)) endLostGrab(event.x, event.y, event.state);
    CPoint where(event.x, event.y);
    frame_->onMouseMoved(where, buttonStateFromMask(event.state) | heldExtraButtons());
}

void X11Frame::onEnter(const XCrossingEvent& event) {
    if (releaseWentUnseen(event.state)) endLostGrab(event.x, event.y, event.state);
}

void X11Frame::onLeave(const XCrossingEvent& event) {
    // A grab that another one replaced or that ended, or a window hidden under the pointer (its grab
    // ends with it), leaves the drag without the pointer.
    if (grabbed_ && (event.mode != NotifyNormal || !isViewable())) endLostGrab(event.x, event.y, event.state);
    // One notification per request, as the frame asks anew on its next move.
    if (!leaveRequested_ || event.detail == NotifyInferior) return;
    leaveRequested_ = false;
    CPoint where(event.x, event.y);
    frame_->onMouseExited(where, buttonStateFromMask(event.state) | heldExtraButtons());
}

bool X11Frame::releaseWentUnseen(unsigned int xState) const {
    // The extra buttons have no bit in the state: one still held keeps the drag.
    constexpr CButtonState kDragButtons = kLButton | kMButton | kRButton;
    return grabbed_ && (buttonStateFromMask(xState) & kDragButtons) == 0 && heldExtraButtons() == 0;
}

bool X11Frame::isViewable() {
    X11ErrorTrap trap(display_);
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window_, &attributes) && !trap.failed() &&
           attributes.map_state == IsViewable;
}

void X11Frame::endLostGrab(int x, int y, unsigned int xState) {
    grabbed_ = false;
    extraButtons_ = 0;
    CPoint where(x, y);
    // The server has ended the grab already; ungrabbing here could end the one of a press just made.
    frame_->onMouseUp(where, modifiersFromMask(xState));
}

void X11Frame::onWindowDestroyed() {
    // The host destroyed its window, and ours with it.
    window_ = 0;
    parent_ = 0;
    pending_ = false;
    releaseBackBuffer();
    frame_->setOpenFlag(false);
}

void X11Frame::collectExposures() {
    if (!window_) return;
    XEvent event;
    while (XCheckTypedWindowEvent(display_, window_, Expose, &event))
        addPending(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                   event.xexpose.y + event.xexpose.height);
}

bool X11Frame::paintPending() {
    if (!pending_ || !window_) return false;
    pending_ = false;
    paint(CRect(pendingLeft_, pendingTop_, pendingRight_, pendingBottom_));
    return true;
}

void X11Frame::paint(const CRect& rect) {
    if (!backBuffer_) backBuffer_ = new COffscreenContext(frame_, width_, height_, kBlackCColor);
    frame_->drawRect(backBuffer_, rect);
    CDrawContext* windowContext = createDrawContext();
    if (!windowContext) return;
    backBuffer_->copyFrom(windowContext, rect, rect.getTopLeft());
    windowContext->forget();
}

bool X11Frame::paintOneWaitingFrame() {
    for (X11Frame* frame : liveFrames()) {
        X11ErrorTrap trap(frame->display_);
        frame->collectExposures();
        if (frame->paintPending()) return true;
    }
    return false;
}

}  // namespace VSTGUI
