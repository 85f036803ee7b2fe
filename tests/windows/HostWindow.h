// A host's top-level window for the editor checks, and the message pump of its thread.
#pragma once

#include <windows.h>

class HostWindow {
  public:
    HostWindow(const char* title, int x, int y);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// Dispatches every message waiting for this thread. Input sent with SendInput is waiting when it
// returns (Wine queues it at once), so one call delivers it.
void pumpMessages();
