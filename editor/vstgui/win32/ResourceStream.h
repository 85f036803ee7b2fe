// A read-only IStream over bytes that stay valid for the stream's life (a locked module resource),
// through which GDI+ decodes the embedded images.
#pragma once

#include <cstdint>

#include "editor/vstgui/win32/GdiPlusApi.h"

namespace VSTGUI {

class ResourceStream : public IStream {
  public:
    // Reference count 1; the creator releases it.
    ResourceStream(const void* data, uint32_t size);
    ResourceStream(const ResourceStream&) = delete;
    ResourceStream& operator=(const ResourceStream&) = delete;

    // Any thread: GDI+ may keep and use the stream; the count changes atomically.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // The thread that decodes (the GUI thread).
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG length, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG length, ULONG* written) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER length, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER length, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER length, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override;

    uint32_t getPosition() const { return position_; }

  private:
    virtual ~ResourceStream() = default;

    const unsigned char* data_;
    uint32_t position_ = 0;
    uint32_t size_;
    volatile LONG references_ = 1;
};

}  // namespace VSTGUI
