#include "tests/windows/HostWindow.h"

namespace {
const char* const kHostClass = "OrbitoneTestHost";

void registerHostClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = kHostClass;
    RegisterClassA(&windowClass);
    registered = true;
}
}  // namespace

HostWindow::HostWindow(const char* title, int x, int y) {
    registerHostClass();
    window_ = CreateWindowExA(0, kHostClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                              1200, 620, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HostWindow::~HostWindow() {
    if (window_) DestroyWindow(window_);
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
