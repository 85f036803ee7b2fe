// The editor's operating-system services on Linux.
#include <chrono>
#include <thread>

#include "editor/EditorPlatform.h"
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/IPlatformFrame.h"
#include "editor/vstgui/x11/X11Frame.h"

namespace editorplatform {

void sleepMilliseconds(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Drag and drop is not offered on Linux, so there is nothing to set up.
void initializeComponentServices() {}
void releaseComponentServices() {}

void handleWindowEvents(VSTGUI::CFrame* frame) {
    // The editor's connection is its own: nobody but this idle reads its events.
    if (frame != nullptr && frame->getPlatformFrame() != nullptr) frame->getPlatformFrame()->handleEvents();
}

void dispatchOnePendingPaint() {
    VSTGUI::X11Frame::paintOneWaitingFrame();
}

}  // namespace editorplatform
