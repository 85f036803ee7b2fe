#include "editor/vstgui/win32/ResourceStream.h"

#include <cstring>

namespace VSTGUI {

ResourceStream::ResourceStream(const void* data, uint32_t size)
    : data_(static_cast<const unsigned char*>(data)), size_(data ? size : 0) {}

HRESULT STDMETHODCALLTYPE ResourceStream::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) ||
        IsEqualIID(iid, IID_IStream)) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ResourceStream::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE ResourceStream::Release() {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE ResourceStream::Read(void* buffer, ULONG length, ULONG* read) {
    // A read past the end delivers nothing at all: the decoders only ask for bytes that exist.
    // The count says so, rather than keeping whatever the caller had in it.
    if (uint64_t(position_) + length > size_ || (!buffer && length > 0)) {
        if (read) *read = 0;
        return S_FALSE;
    }
    if (length > 0) std::memcpy(buffer, data_ + position_, length);
    position_ += length;
    if (read) *read = length;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Write(const void*, ULONG, ULONG*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Seek(LARGE_INTEGER move, DWORD origin,
                                               ULARGE_INTEGER* newPosition) {
    int64_t target = 0;
    switch (origin) {
        case STREAM_SEEK_SET:
            target = move.QuadPart;
            break;
        case STREAM_SEEK_CUR:
            target = int64_t(position_) + move.QuadPart;
            break;
        case STREAM_SEEK_END:
            return S_FALSE;
        default:
            return STG_E_INVALIDFUNCTION;
    }
    // The end itself is not a place to stand: every accepted position has a byte to read.
    if (target < 0 || target >= int64_t(size_)) return S_FALSE;
    position_ = static_cast<uint32_t>(target);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::SetSize(ULARGE_INTEGER) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Commit(DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Revert() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof(*stat));
    stat->cbSize.QuadPart = size_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ResourceStream::Clone(IStream**) {
    return E_NOTIMPL;
}

}  // namespace VSTGUI
