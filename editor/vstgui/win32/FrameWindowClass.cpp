#include "editor/vstgui/win32/FrameWindowClass.h"

#include <cstdio>

#include "plugin/boundary/win32/ModuleHandle.h"

namespace VSTGUI {

int FrameWindowClass::useCount_ = 0;
bool FrameWindowClass::buttonsSwapped_ = false;

const char* FrameWindowClass::name() {
    // One name per module, so that two plug-in DLLs in one host never share a class.
    static char text[64] = {};
    if (!text[0]) std::snprintf(text, sizeof(text), "Plugin%p", static_cast<void*>(platform::moduleHandle()));
    return text;
}

void FrameWindowClass::use(WNDPROC windowProcedure) {
    if (useCount_++ > 0) return;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS | CS_GLOBALCLASS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = platform::moduleHandle();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name();
    RegisterClassA(&windowClass);
    buttonsSwapped_ = GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

void FrameWindowClass::release() {
    if (useCount_ <= 0) return;
    if (--useCount_ == 0) UnregisterClassA(name(), platform::moduleHandle());
}

}  // namespace VSTGUI
