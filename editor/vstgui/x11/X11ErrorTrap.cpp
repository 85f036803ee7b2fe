#include "editor/vstgui/x11/X11ErrorTrap.h"

namespace VSTGUI {

namespace {
// The innermost live trap of the process; traps nest on the GUI thread.
X11ErrorTrap* activeTrap = nullptr;
}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), outer_(activeTrap) {
    // Set before anything is read, so that errors of earlier requests on this connection land here too.
    previousHandler_ = XSetErrorHandler(&X11ErrorTrap::handleError);
    activeTrap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
    if (display_) XSync(display_, False);
    activeTrap = outer_;
    XSetErrorHandler(previousHandler_);
}

bool X11ErrorTrap::failed() {
    if (display_) XSync(display_, False);
    return failed_;
}

int X11ErrorTrap::handleError(Display* display, XErrorEvent* error) {
    for (X11ErrorTrap* trap = activeTrap; trap; trap = trap->outer_) {
        if (trap->display_ == display) {
            trap->failed_ = true;
            return 0;
        }
    }
    // Not ours: the host's handler decides. The outermost trap holds the handler from before any trap.
    X11ErrorTrap* outermost = activeTrap;
    while (outermost && outermost->outer_) outermost = outermost->outer_;
    XErrorHandler before = outermost ? outermost->previousHandler_ : nullptr;
    if (before && before != &X11ErrorTrap::handleError) return before(display, error);
    return 0;
}

}  // namespace VSTGUI
