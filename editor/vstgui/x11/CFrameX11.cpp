// CFrame's constructor on X11: the frame's logic on a child window of the host's X window.
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/x11/X11Frame.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor)
    : CFrame(size, editor, nullptr) {
    // Without a usable parent the frame lives on without a window.
    platformFrame_ = X11Frame::create(this, parentWindow, size);
}

}  // namespace VSTGUI
