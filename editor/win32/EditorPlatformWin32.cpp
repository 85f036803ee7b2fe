// The editor's operating-system services on Windows.
#include <ole2.h>
#include <windows.h>

#include "editor/EditorPlatform.h"

namespace editorplatform {

void sleepMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

// OLE carries the window's drag and drop; each OleInitialize is balanced by one OleUninitialize.
void initializeComponentServices() {
    OleInitialize(nullptr);
}
void releaseComponentServices() {
    OleUninitialize();
}

// The host's message loop delivers the window's messages.
void handleWindowEvents(VSTGUI::CFrame*) {}

void dispatchOnePendingPaint() {
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace editorplatform
