#include "editor/vstgui/win32/Win32Frame.h"

#include <ole2.h>
#include <windowsx.h>

#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/COffscreenContext.h"
#include "editor/vstgui/win32/CDropTarget.h"
#include "editor/vstgui/win32/FrameWindowClass.h"
#include "editor/vstgui/win32/GDIPlusGlobals.h"
#include "plugin/boundary/win32/ModuleHandle.h"

namespace VSTGUI {

namespace {
constexpr DWORD kFirstCompositedVersion = 6;
// A parent more than this much bigger than the window it holds belongs to the host.
constexpr int kHostWindowMargin = 60;
constexpr int kHostResizeMargin = 80;

bool isDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

CButtonState modifierState() {
    CButtonState state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= kShift;
    if (GetKeyState(VK_CONTROL) < 0) state |= kControl;
    if (GetKeyState(VK_MENU) < 0) state |= kAlt;
    return state;
}

CPoint clientPoint(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

bool isMdiClient(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, "MDIClient") == 0;
}
}  // namespace

CButtonState buttonStateFromKeyFlags(WPARAM keyFlags) {
    CButtonState state = 0;
    if (keyFlags & MK_LBUTTON) state |= kLButton;
    if (keyFlags & MK_RBUTTON) state |= kRButton;
    if (keyFlags & MK_MBUTTON) state |= kMButton;
    if (keyFlags & MK_XBUTTON1) state |= kButton4;
    if (keyFlags & MK_XBUTTON2) state |= kButton5;
    if (keyFlags & MK_CONTROL) state |= kControl;
    if (keyFlags & MK_SHIFT) state |= kShift;
    if (GetKeyState(VK_MENU) < 0) state |= kAlt;
    return state;
}

float wheelDistance(WPARAM wParam) {
    const int delta = static_cast<short>(HIWORD(wParam));
    return static_cast<float>(delta / WHEEL_DELTA);
}

DWORD Win32Frame::systemMajorVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExA(&info) ? info.dwMajorVersion : 0;
}

Win32Frame::Win32Frame(CFrame* frame, HWND parent) : frame_(frame), parent_(parent) {
    OleInitialize(nullptr);
    GDIPlusGlobals::acquire();
    majorVersion_ = systemMajorVersion();
}

Win32Frame* Win32Frame::create(CFrame* frame, void* parentWindow, const CRect& size) {
    if (!frame || !parentWindow) return nullptr;
    auto* window = new Win32Frame(frame, static_cast<HWND>(parentWindow));
    if (!window->createWindow(size)) {
        delete window;
        return nullptr;
    }
    return window;
}

bool Win32Frame::createWindow(const CRect& size) {
    FrameWindowClass::use(windowProcedure);
    const DWORD extendedStyle = majorVersion_ >= kFirstCompositedVersion ? WS_EX_COMPOSITED : 0;
    window_ = CreateWindowExA(extendedStyle, FrameWindowClass::name(), "Window",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                              static_cast<int>(size.getWidth()), static_cast<int>(size.getHeight()), parent_,
                              nullptr, platform::moduleHandle(), nullptr);
    if (!window_) {
        FrameWindowClass::release();
        return false;
    }
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

Win32Frame::~Win32Frame() {
    setDropActive(false);
    OleUninitialize();
    releaseBackBuffer();
    if (window_) {
        // Messages from here on go to the default procedure.
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        if (IsWindow(window_)) DestroyWindow(window_);
        window_ = nullptr;
        FrameWindowClass::release();
    }
    GDIPlusGlobals::release();
}

LRESULT CALLBACK Win32Frame::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->frame_) return DefWindowProcA(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return onPaint();
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            return onButtonDown(wParam, lParam, false);
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDBLCLK:
            return onButtonDown(wParam, lParam, true);
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_XBUTTONUP:
            return onButtonUp(wParam, lParam);
        case WM_CAPTURECHANGED:
            // lParam is the window taking the capture; a release giving it back has cleared captured_.
            if (reinterpret_cast<HWND>(lParam) != window_) onCaptureLost();
            return 0;
        case WM_CANCELMODE:
            // Sent when a dialog or menu takes over; the default procedure then releases the capture.
            onCaptureLost();
            break;
        case WM_MOUSEMOVE: {
            CPoint where = clientPoint(lParam);
            frame_->onMouseMoved(where, buttonStateFromKeyFlags(GET_KEYSTATE_WPARAM(wParam)));
            return 0;
        }
        case WM_MOUSEWHEEL:
            onWheel(wParam, lParam);
            break;
        case WM_MOUSELEAVE: {
            CPoint where;
            getCurrentMouseLocation(where);
            frame_->onMouseExited(where, getCurrentMouseButtons());
            return 0;
        }
        case WM_ERASEBKGND:
            // Every pixel is painted by the views; erasing first would only flicker.
            return 1;
        case WM_DESTROY:
            // The host destroyed its window (and so ours) before closing the editor.
            frame_->setOpenFlag(false);
            parent_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT Win32Frame::onPaint() {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(window_, region, FALSE);
    if (kind != NULLREGION && kind != ERROR) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        const CRect rect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom);
        COffscreenContext* buffer = backBuffer();
        if (buffer) {
            frame_->drawRect(buffer, rect);
            CDrawContext* target = new CDrawContext(frame_, dc, window_);
            buffer->copyFrom(target, rect, CPoint(rect.left, rect.top));
            target->forget();
        } else {
            CDrawContext* context = new CDrawContext(frame_, dc, window_);
            frame_->drawRect(context, rect);
            context->forget();
        }
        EndPaint(window_, &paint);
    }
    DeleteObject(region);
    return 0;
}

LRESULT Win32Frame::onButtonDown(WPARAM wParam, LPARAM lParam, bool doubleClick) {
    CPoint where = clientPoint(lParam);
    CButtonState buttons = buttonStateFromKeyFlags(GET_KEYSTATE_WPARAM(wParam));
    if (doubleClick) buttons |= kDoubleClick;
    if (frame_->onMouseDown(where, buttons) == kMouseEventHandled) {
        SetCapture(window_);
        captured_ = true;
    }
    return 0;
}

LRESULT Win32Frame::onButtonUp(WPARAM wParam, LPARAM lParam) {
    CPoint where = clientPoint(lParam);
    frame_->onMouseUp(where, buttonStateFromKeyFlags(GET_KEYSTATE_WPARAM(wParam)));
    captured_ = false;
    ReleaseCapture();
    return 0;
}

void Win32Frame::onCaptureLost() {
    if (!captured_) return;
    captured_ = false;
    CPoint where;
    getCurrentMouseLocation(where);
    frame_->onMouseUp(where, modifierState());
    if (GetCapture() == window_) ReleaseCapture();
}

void Win32Frame::onWheel(WPARAM wParam, LPARAM lParam) {
    // The wheel message carries screen coordinates.
    RECT window;
    GetWindowRect(window_, &window);
    const CPoint where(GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top);
    frame_->onWheel(where, wheelDistance(wParam), modifierState());
}

COffscreenContext* Win32Frame::backBuffer() {
    if (majorVersion_ >= kFirstCompositedVersion) return nullptr;
    if (!backBuffer_) {
        const CRect& size = frame_->getViewSize();
        backBuffer_ = new COffscreenContext(frame_, static_cast<int>(size.getWidth()),
                                            static_cast<int>(size.getHeight()), kBlackCColor);
    }
    return backBuffer_;
}

void Win32Frame::releaseBackBuffer() {
    if (backBuffer_) backBuffer_->forget();
    backBuffer_ = nullptr;
}

void Win32Frame::invalidRect(const CRect& rect) {
    if (!window_) return;
    RECT r = {static_cast<LONG>(rect.left), static_cast<LONG>(rect.top), static_cast<LONG>(rect.right),
              static_cast<LONG>(rect.bottom)};
    InvalidateRect(window_, &r, TRUE);
}

CDrawContext* Win32Frame::createDrawContext() {
    if (!window_) return nullptr;
    // The window handle as the system context asks the context to take the window's own DC.
    return new CDrawContext(frame_, window_, window_);
}

bool Win32Frame::getCurrentMouseLocation(CPoint& where) {
    POINT cursor;
    RECT window;
    if (!window_ || !GetCursorPos(&cursor) || !GetWindowRect(window_, &window)) return false;
    where = CPoint(cursor.x - window.left, cursor.y - window.top);
    return true;
}

int32_t Win32Frame::getCurrentMouseButtons() {
    // The asynchronous state is that of the physical buttons: undo a user's swap.
    const bool swapped = FrameWindowClass::buttonsSwapped();
    CButtonState state = 0;
    if (isDown(VK_LBUTTON)) state |= swapped ? kRButton : kLButton;
    if (isDown(VK_MBUTTON)) state |= kMButton;
    if (isDown(VK_RBUTTON)) state |= swapped ? kLButton : kRButton;
    if (isDown(VK_SHIFT)) state |= kShift;
    if (isDown(VK_CONTROL)) state |= kControl;
    if (isDown(VK_MENU)) state |= kAlt;
    return state;
}

void Win32Frame::setMouseCursor(int32_t type) {
    if (!cursorSaved_) {
        defaultCursor_ = GetCursor();
        cursorSaved_ = true;
    }
    LPCSTR shape = nullptr;
    switch (type) {
        case 1:
            shape = IDC_WAIT;
            break;
        case 2:
            shape = IDC_SIZEWE;
            break;
        case 3:
            shape = IDC_SIZENS;
            break;
        case 4:
            shape = IDC_SIZEALL;
            break;
        case 5:
            shape = IDC_SIZENESW;
            break;
        case 6:
            shape = IDC_SIZENWSE;
            break;
        case 8:
            shape = IDC_NO;
            break;
        case 9:
            shape = IDC_HAND;
            break;
        default:
            break;  // 0, the copy cursor 7 and anything unknown restore the saved one
    }
    SetCursor(shape ? LoadCursorA(nullptr, shape) : defaultCursor_);
}

void Win32Frame::trackMouseLeave() {
    if (!window_) return;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window_;
    TrackMouseEvent(&track);
}

bool Win32Frame::setDropActive(bool active) {
    if (!window_) return false;
    if (dropTarget_) {
        // The registration holds the target's only reference: revoking destroys it.
        RevokeDragDrop(window_);
        dropTarget_ = nullptr;
    }
    if (active) {
        // Held for the registration call, so that a refused one destroys the target.
        dropTarget_ = new CDropTarget(frame_);
        dropTarget_->AddRef();
        const bool registered = RegisterDragDrop(window_, dropTarget_) == S_OK;
        dropTarget_->Release();
        if (!registered) dropTarget_ = nullptr;
    }
    return true;
}

bool Win32Frame::setSize(CCoord newWidth, CCoord newHeight) {
    releaseBackBuffer();
    if (!window_) return true;
    const int w = static_cast<int>(newWidth);
    const int h = static_cast<int>(newHeight);
    // Grow each enclosing window by what the last one grew, until a window's border says it is the
    // host's (growth above the margin) or the growth equals a dialog frame.
    const int dialogFrames = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    int growthX = 0;
    int growthY = 0;
    HWND current = window_;
    while (growthX != dialogFrames) {
        HWND parent = GetParent(current);
        if (!parent || isMdiClient(parent)) break;
        RECT currentRect, parentRect;
        GetWindowRect(current, &currentRect);
        GetWindowRect(parent, &parentRect);
        SetWindowPos(current, HWND_TOP, 0, 0, w + growthX, h + growthY, SWP_NOMOVE);
        growthX += width(parentRect) - width(currentRect);
        growthY += height(parentRect) - height(currentRect);
        if (growthX > kHostResizeMargin || growthY > kHostResizeMargin) return true;
        if (growthX < 0) growthX = 0;
        if (growthY < 0) growthY = 0;
        current = parent;
    }
    SetWindowPos(current, HWND_TOP, 0, 0, w + growthX, h + growthY, SWP_NOMOVE);
    return true;
}

bool Win32Frame::getPosition(CPoint& where) {
    if (!window_) return false;
    HWND current = window_;
    for (;;) {
        HWND parent = GetParent(current);
        if (!parent || (GetWindowLongA(current, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) break;
        RECT currentRect, parentRect;
        GetWindowRect(current, &currentRect);
        GetWindowRect(parent, &parentRect);
        if (width(parentRect) - width(currentRect) > kHostWindowMargin ||
            height(parentRect) - height(currentRect) > kHostWindowMargin)
            break;
        current = parent;
    }
    RECT rect;
    GetWindowRect(current, &rect);
    POINT topLeft = {rect.left, rect.top};
    if (HWND parent = GetParent(current)) ScreenToClient(parent, &topLeft);
    where = CPoint(topLeft.x, topLeft.y);
    return true;
}

bool Win32Frame::getSize(CRect& size) {
    HWND parent = window_ ? GetParent(window_) : nullptr;
    if (!parent) return false;
    RECT rect;
    GetWindowRect(parent, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(parent), reinterpret_cast<POINT*>(&rect), 2);
    size = CRect(rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

}  // namespace VSTGUI
