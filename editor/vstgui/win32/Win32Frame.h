// The frame's window on Win32: a child of the host's window whose messages become the frame's
// paint, mouse, wheel and leave events. Paints go straight into the composited window on
// Windows Vista and later, and through a back buffer before.
#pragma once

#include <windows.h>

#include "editor/vstgui/IPlatformFrame.h"
#include "editor/vstgui/ViewTypes.h"

namespace VSTGUI {

class CDropTarget;
class CFrame;
class COffscreenContext;

class Win32Frame : public IPlatformFrame {
  public:
    // GUI thread. Null without a parent window or when the window cannot be made.
    static Win32Frame* create(CFrame* frame, void* parentWindow, const CRect& size);
    // GUI thread. Destroys the window (unless the host already did) and releases OLE and GDI+.
    ~Win32Frame() override;
    Win32Frame(const Win32Frame&) = delete;
    Win32Frame& operator=(const Win32Frame&) = delete;

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
    // The child window's HWND. The host's message loop delivers its messages, so handleEvents and
    // eventDescriptor keep the interface's answers.
    void* nativeHandle() const override { return window_; }

    HWND getWindow() const { return window_; }
    HWND getParentWindow() const { return parent_; }
    bool hasBackBuffer() const { return backBuffer_ != nullptr; }

    // The system's major version that decides composited window versus back buffer.
    static DWORD systemMajorVersion();

  private:
    Win32Frame(CFrame* frame, HWND parent);
    bool createWindow(const CRect& size);
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onPaint();
    LRESULT onButtonDown(WPARAM wParam, LPARAM lParam, bool doubleClick);
    LRESULT onButtonUp(WPARAM wParam, LPARAM lParam);
    // Another window took the mouse during a drag (a host dialog, Alt-Tab): no release will come, so
    // the frame gets one now.
    void onCaptureLost();
    void onWheel(WPARAM wParam, LPARAM lParam);
    COffscreenContext* backBuffer();
    void releaseBackBuffer();

    CFrame* frame_;
    HWND parent_;
    HWND window_ = nullptr;
    DWORD majorVersion_;
    COffscreenContext* backBuffer_ = nullptr;
    CDropTarget* dropTarget_ = nullptr;
    HCURSOR defaultCursor_ = nullptr;
    bool cursorSaved_ = false;
    // Set while the window holds the capture taken for a press the frame took, to its release.
    bool captured_ = false;
};

// Button state of a mouse message: its key flags, plus Alt read when the message is handled.
CButtonState buttonStateFromKeyFlags(WPARAM keyFlags);
// Wheel steps of a wheel message's delta: whole notches, truncated toward zero.
float wheelDistance(WPARAM wParam);

}  // namespace VSTGUI
