// CFrame's constructor on Win32: the frame's logic on a child window of the host's window.
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/win32/Win32Frame.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor)
    : CFrame(size, editor, nullptr) {
    // Without a usable parent the frame lives on without a window.
    platformFrame_ = Win32Frame::create(this, parentWindow, size);
    if (platformFrame_) setDropActive(true);
}

}  // namespace VSTGUI
