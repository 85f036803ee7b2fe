// The window layer under a CFrame. Each platform folder implements it (the X11 child window, the
// Win32 child window); the frame owns it and reaches the system only through it.
#pragma once

#include <cstdint>

#include "editor/vstgui/CRect.h"

namespace VSTGUI {

class CDrawContext;

class IPlatformFrame {
  public:
    // GUI thread. Destroys the window; restores the cursor and drop registration it changed.
    virtual ~IPlatformFrame() = default;
    // GUI thread. Marks the rectangle (window pixels, truncated toward zero) for repaint.
    virtual void invalidRect(const CRect& rect) = 0;
    // GUI thread. A new context drawing into the window, or null without one.
    virtual CDrawContext* createDrawContext() = 0;
    // GUI thread. Pointer position relative to the window's top-left.
    virtual bool getCurrentMouseLocation(CPoint& where) = 0;
    // GUI thread. Live button and modifier state in the toolkit's bits.
    virtual int32_t getCurrentMouseButtons() = 0;
    // GUI thread. Cursor kinds 0 to 9; 0 restores the cursor in force before.
    virtual void setMouseCursor(int32_t type) = 0;
    // GUI thread. Asks for one leave notification for the current stay of the pointer.
    virtual void trackMouseLeave() = 0;
    // GUI thread.
    virtual bool setDropActive(bool active) = 0;
    // GUI thread. Resize of the window (and the host windows it sits in, where applicable).
    virtual bool setSize(CCoord width, CCoord height) = 0;
    // GUI thread. Position of the outermost host window.
    virtual bool getPosition(CPoint& where) = 0;
    // GUI thread. Rectangle of the window's parent.
    virtual bool getSize(CRect& size) = 0;

    // GUI thread. The window as the window system names it, for a host to embed (an X11 window id,
    // an HWND); null without one.
    virtual void* nativeHandle() const { return nullptr; }
    // GUI thread. Handles the window's queued events and paints what waits; nothing where the host's
    // own loop delivers them. Never blocks.
    virtual void handleEvents() {}
    // GUI thread. The descriptor of the window-system connection a host may watch for events on the
    // window's behalf; -1 where there is none.
    virtual int eventDescriptor() const { return -1; }
};

}  // namespace VSTGUI
