// What drives an open panel: the host's run loop on Linux (its timers, and its event handler for
// the panel's X connection), a timer of the GUI thread's message loop on Windows. Each platform
// implements this in its own folder.
#pragma once

#include <travesty/view.h>

class CVst3ViewTimer {
  public:
    using Tick = void (*)(void* context);

    CVst3ViewTimer() = default;
    ~CVst3ViewTimer() { stop(); }
    CVst3ViewTimer(const CVst3ViewTimer&) = delete;
    CVst3ViewTimer& operator=(const CVst3ViewTimer&) = delete;

    // Calls tick(context) on the GUI thread from now on, and when the window system's connection
    // (eventDescriptor, -1 for none) has events; false when the host offers no way to. GUI thread.
    bool start(v3_plugin_frame** frame, int eventDescriptor, Tick tick, void* context);
    void stop();

    // The platform's part: what was registered and how to withdraw it.
    struct Registration;
    Tick tick = nullptr;
    void* context = nullptr;

  private:
    Registration* registration_ = nullptr;
};
