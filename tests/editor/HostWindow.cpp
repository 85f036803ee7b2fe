#include "HostWindow.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <dirent.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "tests/support/PollUntil.h"

namespace editortest {

HostWindow::HostWindow(int x, int y, int width, int height) {
    // A server just started for the test run may not take connections at once.
    if (std::getenv("DISPLAY") != nullptr)
        testsupport::pollUntil([&] { return (display_ = XOpenDisplay(nullptr)) != nullptr; }, [] {});
    if (!display_) throw std::runtime_error("no X display (run under xvfb-run -a)");
    const int screen = DefaultScreen(display_);
    window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), x, y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), 0, BlackPixel(display_, screen),
                                  WhitePixel(display_, screen));
    XSelectInput(display_, window_, StructureNotifyMask);
    XMapWindow(display_, window_);
    XEvent event;
    do {
        XNextEvent(display_, &event);
    } while (event.type != MapNotify);
    Window child;
    XTranslateCoordinates(display_, window_, RootWindow(display_, screen), 0, 0, &rootX_, &rootY_, &child);
}

HostWindow::~HostWindow() {
    while (!heldButtons_.empty()) button(heldButtons_.back(), false);
    while (!heldKeys_.empty()) key(heldKeys_.back(), false);
    if (window_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

void* HostWindow::handle() const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window_));
}

std::vector<Window> HostWindow::children() const {
    std::vector<Window> result;
    Window root, parent, *list = nullptr;
    unsigned int count = 0;
    XSync(display_, False);
    if (window_ && XQueryTree(display_, window_, &root, &parent, &list, &count)) {
        result.assign(list, list + count);
        if (list) XFree(list);
    }
    return result;
}

void HostWindow::movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, -1, rootX_ + x, rootY_ + y, CurrentTime);
    sync();
}

void HostWindow::button(unsigned int number, bool down) {
    heldButtons_.erase(std::remove(heldButtons_.begin(), heldButtons_.end(), number), heldButtons_.end());
    if (down) heldButtons_.push_back(number);
    XTestFakeButtonEvent(display_, number, down ? True : False, CurrentTime);
    sync();
}

void HostWindow::click(unsigned int number, int times) {
    for (int i = 0; i < times; ++i) {
        XTestFakeButtonEvent(display_, number, True, CurrentTime);
        XTestFakeButtonEvent(display_, number, False, CurrentTime);
    }
    sync();
}

void HostWindow::key(unsigned long keysym, bool down) {
    heldKeys_.erase(std::remove(heldKeys_.begin(), heldKeys_.end(), keysym), heldKeys_.end());
    if (down) heldKeys_.push_back(keysym);
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down ? True : False, CurrentTime);
    sync();
}

void HostWindow::sync() {
    // The server makes the events of a fake input while it handles the request, but writes them to
    // the other clients only after the round it handled it in: the first reply may arrive before that
    // writing, the second cannot.
    XSync(display_, False);
    XSync(display_, False);
}

void HostWindow::exposeChildren() {
    for (Window child : children()) XClearArea(display_, child, 0, 0, 0, 0, True);
    sync();
}

void HostWindow::destroy() {
    XDestroyWindow(display_, window_);
    window_ = 0;
    sync();
}

size_t coloursIn(Display* display, Window window, int x, int y, int w, int h) {
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h),
                              AllPlanes, ZPixmap);
    if (image == nullptr) return 0;
    std::set<unsigned long> colours;
    for (int j = 0; j < h; j += 2) {
        for (int i = 0; i < w; i += 2) colours.insert(XGetPixel(image, i, j));
    }
    XDestroyImage(image);
    return colours.size();
}

int openFileDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir)) ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace editortest
