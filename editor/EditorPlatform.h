// The operating-system services the editor needs around its frame; each platform implements them
// in its own backend file.
#pragma once

#include <cstdint>

#include "plugin/boundary/MonotonicClock.h"

namespace VSTGUI {
class CFrame;
}  // namespace VSTGUI

namespace editorplatform {

// System tick count in milliseconds, from the plug-in's one monotonic clock; wraps around.
inline uint32_t tickCount() {
    return static_cast<uint32_t>(platform::monotonicMilliseconds());
}

void sleepMilliseconds(uint32_t milliseconds);

// Per-thread set-up of the system's component services (drag and drop); balanced by the release.
void initializeComponentServices();
void releaseComponentServices();

// Handles the window events waiting for the frame (input, exposure, pending repaints). On systems
// whose host loop delivers window messages by itself this does nothing. Never blocks.
void handleWindowEvents(VSTGUI::CFrame* frame);

// Paints one window of this thread that waits for a repaint, if any.
void dispatchOnePendingPaint();

}  // namespace editorplatform
