// The panel in an X11 host window: the editor opens its own display connection, whose descriptor the
// host may watch for us.
#include <X11/Xlib.h>

#include <cstdint>

#include "editor/LumoEditor.h"
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/x11/X11Frame.h"
#include "plugin/clap/ClapWindow.h"

namespace clapwindow {

const char* api() {
    return CLAP_WINDOW_API_X11;
}

void* parentOf(const clap_window_t& window) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window.x11));
}

int connectionOf(CLumoEditor& editor) {
    VSTGUI::CFrame* frame = editor.getFrame();
    auto* window = frame != nullptr ? dynamic_cast<VSTGUI::X11Frame*>(frame->getPlatformFrame()) : nullptr;
    if (window == nullptr || window->getDisplay() == nullptr) return -1;
    return ConnectionNumber(window->getDisplay());
}

}  // namespace clapwindow
