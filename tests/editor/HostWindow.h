// A top-level X window standing in for a host's editor window, with XTest driving the pointer and
// the modifier keys on the same display. Each input is on its way to the editor when its call
// returns (see sync), so the editor's next idle handles it: no test waits for time to pass.
#pragma once

#include <X11/Xlib.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace editortest {

class HostWindow {
  public:
    // Maps a window of the given size at the given place on the root window.
    HostWindow(int x = 100, int y = 50, int width = 1200, int height = 600);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    Display* display() const { return display_; }
    Window window() const { return window_; }
    void* handle() const;

    std::vector<Window> children() const;
    // Moves the pointer to a point given relative to the host window's top-left.
    void movePointer(int x, int y);
    void button(unsigned int button, bool down);
    // Presses and releases in one batch, which the server stamps at once: times 2 is a double click
    // however loaded the machine.
    void click(unsigned int number, int times = 1);
    // keysym: XK_Shift_L, XK_Control_L, XK_Alt_L ...
    void key(unsigned long keysym, bool down);
    // Pushes the fake input to the server and waits until the events it made have reached the other
    // connections too: the editor's next idle reads them.
    void sync();
    // Has every window inside this one repaint at its editor's next idle, as uncovering it would; a
    // paint runs the graphics section. Hidden windows are left alone.
    void exposeChildren();
    // Destroys the window while the editor may still sit in it, as a careless host would.
    void destroy();

  private:
    // Whatever a test leaves held is released with the window: the server outlives the test.
    std::vector<unsigned int> heldButtons_;
    std::vector<unsigned long> heldKeys_;
    Display* display_ = nullptr;
    Window window_ = 0;
    int rootX_ = 0;
    int rootY_ = 0;
};

// Number of entries in /proc/self/fd.
int openFileDescriptors();

// Distinct pixel values in a rectangle of a window (every second pixel each way): a painted panel has many.
size_t coloursIn(Display* display, Window window, int x, int y, int w, int h);

}  // namespace editortest
