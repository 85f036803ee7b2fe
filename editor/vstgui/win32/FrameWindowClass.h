// The window class shared by every frame window of the process: "Plugin%p" with the module's
// instance handle, registered with the first live frame window and unregistered with the last.
#pragma once

#include <windows.h>

namespace VSTGUI {

class FrameWindowClass {
  public:
    // GUI thread. Registers the class when no frame window uses it yet.
    static void use(WNDPROC windowProcedure);
    // GUI thread. Unregisters the class when the last frame window is gone.
    static void release();

    static const char* name();
    static int useCount() { return useCount_; }
    // Read at registration.
    static bool buttonsSwapped() { return buttonsSwapped_; }

  private:
    static int useCount_;
    static bool buttonsSwapped_;
};

}  // namespace VSTGUI
