// The frame window's OLE drop target: hands drags over the window to the frame as drag-enter,
// drag-move, drag-leave and drop, and accepts them with the best effect the source allows.
#pragma once

#include "editor/vstgui/win32/GdiPlusApi.h"

namespace VSTGUI {

class CFrame;
class WinDragContainer;

class CDropTarget : public IDropTarget {
  public:
    // Reference count 0: the registration with the system takes the first reference.
    explicit CDropTarget(CFrame* frame);
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    // GUI thread (all operations), from the system's drag and drop loop.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    // The drag currently over a frame window of the process, or null.
    static WinDragContainer* currentDrag() { return currentDrag_; }
    // Copy before move before link; otherwise the effect stays.
    static DWORD narrowEffect(DWORD allowed);

  private:
    virtual ~CDropTarget() = default;
    void endDrag();

    static WinDragContainer* currentDrag_;
    long references_ = 0;
    CFrame* frame_;
};

}  // namespace VSTGUI
