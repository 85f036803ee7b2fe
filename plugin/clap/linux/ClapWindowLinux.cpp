// The panel in an X11 host window: the panel window opens its own display connection, whose
// descriptor the host may watch for us.
#include <cstdint>

#include "plugin/clap/ClapWindow.h"

namespace clapwindow {

const char* api() {
    return CLAP_WINDOW_API_X11;
}

void* parentOf(const clap_window_t& window) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window.x11));
}

}  // namespace clapwindow
