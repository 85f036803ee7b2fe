// What the panel needs of the window system under CLAP's gui extension; each platform implements it
// in its own folder.
#pragma once

#include <clap/ext/gui.h>

namespace clapwindow {

// The CLAP window API this platform embeds in.
const char* api();
// The host's window as the panel window's open takes it.
void* parentOf(const clap_window_t& window);

}  // namespace clapwindow
