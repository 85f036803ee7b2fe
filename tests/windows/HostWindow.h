// A host's top-level window for the editor checks, and a message pump that also idles editors.
#pragma once

#include <windows.h>

#include <functional>

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

// Dispatches messages and calls idle every ~16 ms, for the given time.
void pumpFor(DWORD milliseconds, const std::function<void()>& idle);
