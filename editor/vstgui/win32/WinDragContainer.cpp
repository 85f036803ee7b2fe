#include "editor/vstgui/win32/WinDragContainer.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cwctype>

#include "editor/vstgui/win32/WideText.h"

namespace VSTGUI {

namespace {
constexpr UINT kMaxName = 2048;
constexpr DWORD kResolveTimeoutMs = 500;

FORMATETC formatOf(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The data in the format, released again by the holder.
class Medium {
  public:
    Medium(IDataObject* data, CLIPFORMAT format) {
        FORMATETC wanted = formatOf(format);
        ok_ = data && data->GetData(&wanted, &medium_) == S_OK && medium_.tymed == TYMED_HGLOBAL;
        if (!ok_ && medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
    }
    ~Medium() {
        if (ok_) ReleaseStgMedium(&medium_);
    }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    bool ok() const { return ok_; }
    HGLOBAL global() const { return medium_.hGlobal; }

  private:
    STGMEDIUM medium_ = {};
    bool ok_ = false;
};

bool endsWithLnk(const std::wstring& name) {
    if (name.size() < 4) return false;
    const wchar_t* tail = name.c_str() + name.size() - 4;
    const wchar_t lnk[] = L".lnk";
    for (int i = 0; i < 4; ++i)
        if (std::towlower(tail[i]) != lnk[i]) return false;
    return true;
}
}  // namespace

WinDragContainer::WinDragContainer(IDataObject* data) : data_(data) {
    if (hasUnicodeText()) {
        count_ = 1;
        return;
    }
    Medium files(data_, CF_HDROP);
    if (files.ok())
        count_ =
            static_cast<int32_t>(DragQueryFileW(static_cast<HDROP>(files.global()), 0xFFFFFFFF, nullptr, 0));
}

bool WinDragContainer::hasUnicodeText() const {
    return Medium(data_, CF_UNICODETEXT).ok();
}

int32_t WinDragContainer::getType(int32_t) const {
    if (!data_) return kError;
    return hasUnicodeText() ? kText : kFile;
}

void* WinDragContainer::first(int32_t& size, int32_t& type) {
    index_ = 0;
    return next(size, type);
}

void* WinDragContainer::next(int32_t& size, int32_t& type) {
    size = 0;
    if (!data_) {
        type = kError;
        return nullptr;
    }
    buffer_.clear();
    type = kUnknown;
    if (hasUnicodeText()) return nextText(size, type);
    return nextFile(size, type);
}

void* WinDragContainer::nextText(int32_t& size, int32_t& type) {
    // Text is a single item.
    if (index_ != 0) return nullptr;
    index_ = 1;
    Medium text(data_, CF_UNICODETEXT);
    if (!text.ok()) return nullptr;
    const SIZE_T bytes = GlobalSize(text.global());
    const auto* wide = static_cast<const wchar_t*>(GlobalLock(text.global()));
    if (!wide || bytes == 0) {
        if (wide) GlobalUnlock(text.global());
        return nullptr;
    }
    // The text ends at its terminator or at the end of the memory, whichever comes first.
    size_t length = 0;
    const size_t capacity = bytes / sizeof(wchar_t);
    while (length < capacity && wide[length]) ++length;
    buffer_ = utf8FromWide(wide, static_cast<int>(length));
    GlobalUnlock(text.global());
    size = static_cast<int32_t>(buffer_.size());
    type = kUnicodeText;
    return &buffer_[0];
}

void* WinDragContainer::nextFile(int32_t& size, int32_t& type) {
    Medium files(data_, CF_HDROP);
    if (!files.ok() || index_ < 0 || index_ >= count_) return nullptr;
    wchar_t name[kMaxName] = {};
    const UINT length =
        DragQueryFileW(static_cast<HDROP>(files.global()), static_cast<UINT>(index_++), name, kMaxName);
    if (length == 0) return nullptr;
    std::wstring path(name, length);
    if (endsWithLnk(path)) path = resolveShortcut(path);
    buffer_ = utf8FromWide(path.c_str(), static_cast<int>(path.size()));
    size = static_cast<int32_t>(buffer_.size());
    type = kFile;
    return &buffer_[0];
}

std::wstring WinDragContainer::resolveShortcut(const std::wstring& name) {
    IShellLinkW* link = nullptr;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&link)) != S_OK)
        return name;
    std::wstring result = name;
    IPersistFile* file = nullptr;
    if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK) {
        if (file->Load(name.c_str(), STGM_READ) == S_OK &&
            link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH | (kResolveTimeoutMs << 16)) == S_OK) {
            wchar_t target[kMaxName] = {};
            if (link->GetPath(target, kMaxName, nullptr, SLGP_SHORTPATH) == S_OK && target[0])
                result = target;
        }
        file->Release();
    }
    link->Release();
    return result;
}

}  // namespace VSTGUI
