// The panel in a Win32 host window: the host's message loop delivers the window's messages.
#include "plugin/clap/ClapWindow.h"

namespace clapwindow {

const char* api() {
    return CLAP_WINDOW_API_WIN32;
}

void* parentOf(const clap_window_t& window) {
    return window.win32;
}

}  // namespace clapwindow
