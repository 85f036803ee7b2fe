// Catches the X protocol errors of one display connection for the lifetime of the trap, so that a
// bad window id from a host never reaches Xlib's default handler (which ends the process). Errors
// of other connections go on to the handler that was installed before.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI {

class X11ErrorTrap {
  public:
    // GUI thread. Errors of earlier, still unanswered requests of the connection are caught as well.
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far; true when any of it failed.
    bool failed();

  private:
    static int handleError(Display* display, XErrorEvent* error);

    Display* display_;
    X11ErrorTrap* outer_;
    XErrorHandler previousHandler_;
    bool failed_ = false;
};

}  // namespace VSTGUI
