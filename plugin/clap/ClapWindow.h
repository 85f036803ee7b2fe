// What the panel needs of the window system under CLAP's gui extension; each platform implements it
// in its own folder.
#pragma once

#include <clap/ext/gui.h>

class CLumoEditor;

namespace clapwindow {

// The CLAP window API this platform embeds in.
const char* api();
// The host's window as the editor's open takes it.
void* parentOf(const clap_window_t& window);
// The descriptor of the open panel's window-system connection to watch for events; -1 where the
// window system has none. GUI thread.
int connectionOf(CLumoEditor& editor);

}  // namespace clapwindow
