#include "editor/vstgui/win32/CDropTarget.h"

#include <ole2.h>

#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/win32/WinDragContainer.h"

namespace VSTGUI {

WinDragContainer* CDropTarget::currentDrag_ = nullptr;

CDropTarget::CDropTarget(CFrame* frame) : frame_(frame) {}

HRESULT STDMETHODCALLTYPE CDropTarget::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IDropTarget) || IsEqualIID(iid, IID_IUnknown)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CDropTarget::AddRef() {
    return static_cast<ULONG>(++references_);
}

ULONG STDMETHODCALLTYPE CDropTarget::Release() {
    if (--references_ <= 0) {
        delete this;
        return 0;
    }
    return static_cast<ULONG>(references_);
}

DWORD CDropTarget::narrowEffect(DWORD allowed) {
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
    return allowed;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (!data || !frame_) {
        if (effect) *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // A drag that never left (the source died) gives way to the new one.
    if (currentDrag_) currentDrag_->forget();
    currentDrag_ = new WinDragContainer(data);
    CPoint where;
    frame_->getCurrentMouseLocation(where);
    frame_->onDragEnter(currentDrag_, where);
    if (effect) *effect = narrowEffect(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (!currentDrag_ || !frame_) return S_OK;
    CPoint where;
    frame_->getCurrentMouseLocation(where);
    frame_->onDragMove(currentDrag_, where);
    if (effect) *effect = narrowEffect(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragLeave() {
    if (!currentDrag_ || !frame_) return S_OK;
    CPoint where;
    frame_->getCurrentMouseLocation(where);
    frame_->onDragLeave(currentDrag_, where);
    endDrag();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
    if (!currentDrag_ || !frame_) return S_OK;
    CPoint where;
    frame_->getCurrentMouseLocation(where);
    frame_->onDrop(currentDrag_, where);
    endDrag();
    // The source learns what happened from this effect: left as offered (copy and move), a source
    // would delete what it dragged although nothing here took it over.
    if (effect) *effect = narrowEffect(*effect);
    return S_OK;
}

void CDropTarget::endDrag() {
    currentDrag_->forget();
    currentDrag_ = nullptr;
}

}  // namespace VSTGUI
