// The panel in a Win32 host window: the host's message loop delivers the window's messages, so
// there is no descriptor to watch.
#include "plugin/clap/ClapWindow.h"

namespace clapwindow {

const char* api() {
    return CLAP_WINDOW_API_WIN32;
}

void* parentOf(const clap_window_t& window) {
    return window.win32;
}

int connectionOf(CLumoEditor&) {
    return -1;
}

}  // namespace clapwindow
