#include "tests/windows/DropSource.h"

#include <shlobj.h>

#include <cstring>

namespace {
bool isText(const FORMATETC* f) {
    return f && f->cfFormat == CF_UNICODETEXT && (f->tymed & TYMED_HGLOBAL) &&
           f->dwAspect == DVASPECT_CONTENT;
}
}  // namespace

HRESULT STDMETHODCALLTYPE TextDataObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TextDataObject::Release() {
    const ULONG count = --references_;
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE TextDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!isText(format) || !medium) return DV_E_FORMATETC;
    const size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!global) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(global), text_.c_str(), bytes);
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TextDataObject::QueryGetData(FORMATETC* format) {
    return isText(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE TextDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TextDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC text = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &text, formats);
}

HRESULT STDMETHODCALLTYPE DropSource::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropSource::Release() {
    const ULONG count = --references_;
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE DropSource::QueryContinueDrag(BOOL escape, DWORD) {
    if (escape) return DRAGDROP_S_CANCEL;
    return --pollsLeft_ <= 0 ? DRAGDROP_S_DROP : S_OK;
}

HRESULT STDMETHODCALLTYPE DropSource::GiveFeedback(DWORD effect) {
    lastFeedback_ = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
