// WinDragContainer over data objects made here: text before files, file lists, and shortcut
// files (".LNK" in capitals) handed out as their targets, or as themselves when unresolvable.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "editor/vstgui/win32/WinDragContainer.h"

using namespace VSTGUI;

namespace {

// Offers Unicode text and/or a file drop list.
class ItemsDataObject : public IDataObject {
  public:
    ItemsDataObject(const wchar_t* text, std::vector<std::wstring> files)
        : text_(text ? text : L""), hasText_(text != nullptr), files_(std::move(files)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        if (object) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        if (format->cfFormat == CF_UNICODETEXT && hasText_)
            return give(text_.c_str(), (text_.size() + 1) * 2, medium);
        if (format->cfFormat == CF_HDROP && !files_.empty()) {
            std::vector<char> list(sizeof(DROPFILES));
            for (const auto& f : files_) {
                const char* bytes = reinterpret_cast<const char*>(f.c_str());
                list.insert(list.end(), bytes, bytes + (f.size() + 1) * 2);
            }
            list.push_back(0);
            list.push_back(0);
            auto* header = reinterpret_cast<DROPFILES*>(list.data());
            std::memset(header, 0, sizeof *header);
            header->pFiles = sizeof(DROPFILES);
            header->fWide = TRUE;
            return give(list.data(), list.size(), medium);
        }
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

  private:
    static HRESULT give(const void* bytes, size_t size, STGMEDIUM* medium) {
        HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(global), bytes, size);
        GlobalUnlock(global);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = global;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    std::wstring text_;
    bool hasText_;
    std::vector<std::wstring> files_;
};

std::string item(WinDragContainer& drag, bool first, int32_t& type) {
    int32_t size = 0;
    void* data = first ? drag.first(size, type) : drag.next(size, type);
    return data ? std::string(static_cast<char*>(data), static_cast<size_t>(size)) : std::string("<none>");
}

bool makeShortcut(const std::wstring& shortcut, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&link)) != S_OK)
        return false;
    IPersistFile* file = nullptr;
    bool saved = link->SetPath(target.c_str()) == S_OK &&
                 link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK &&
                 file->Save(shortcut.c_str(), TRUE) == S_OK;
    if (file) file->Release();
    link->Release();
    return saved;
}

}  // namespace

TEST(DragContainer, TextBeforeFiles) {
    OleInitialize(nullptr);
    int32_t type = 0;
    ItemsDataObject both(L"gr\u00fc\u00df dich", {L"C:\\a.txt", L"C:\\b.txt"});
    WinDragContainer textDrag(&both);
    EXPECT_EQ(static_cast<int32_t>(textDrag.getCount()), 1)
        << "text and files together count as one text item";
    EXPECT_EQ(static_cast<int32_t>(textDrag.getType(0)), 1) << "its type is text";
    EXPECT_EQ(item(textDrag, true, type), std::string("gr\xc3\xbc\xc3\x9f dich"))
        << "the text comes as UTF-8";
    EXPECT_EQ(static_cast<int32_t>(type), 2) << "kind Unicode text";
    EXPECT_EQ(item(textDrag, false, type), std::string("<none>")) << "there is no second text item";
    OleUninitialize();
}

TEST(DragContainer, FilesAndShortcuts) {
    OleInitialize(nullptr);
    int32_t type = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = temp;
    const std::wstring target = folder + L"target.txt";
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    const std::wstring shortcut = folder + L"SHORTCUT.LNK";
    EXPECT_TRUE(makeShortcut(shortcut, target)) << "a shortcut file can be made";
    const std::wstring broken = folder + L"BROKEN.LNK";
    HANDLE junk = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(junk);

    ItemsDataObject files(nullptr, {L"C:\\plain.wav", shortcut, broken});
    WinDragContainer fileDrag(&files);
    EXPECT_EQ(static_cast<int32_t>(fileDrag.getCount()), 3) << "three files count three items";
    EXPECT_EQ(static_cast<int32_t>(fileDrag.getType(0)), 0) << "their type is file";
    EXPECT_EQ(item(fileDrag, true, type), std::string("C:\\plain.wav")) << "a plain file is handed out as is";
    EXPECT_EQ(static_cast<int32_t>(type), 0) << "kind file";
    const std::string resolved = item(fileDrag, false, type);
    char targetShort[MAX_PATH] = {};
    GetShortPathNameA(std::string(target.begin(), target.end()).c_str(), targetShort, MAX_PATH);
    EXPECT_TRUE(lstrcmpiA(resolved.c_str(), targetShort) == 0)
        << "a \".LNK\" file is handed out as its target"
        << ": " << resolved + " vs " + targetShort;
    EXPECT_EQ(item(fileDrag, false, type), std::string(broken.begin(), broken.end()))
        << "an unresolvable shortcut is handed out as itself";
    EXPECT_EQ(item(fileDrag, false, type), std::string("<none>")) << "no fourth item";
    EXPECT_EQ(item(fileDrag, true, type), std::string("C:\\plain.wav")) << "first starts over";
    DeleteFileW(shortcut.c_str());
    DeleteFileW(broken.c_str());
    DeleteFileW(target.c_str());
    OleUninitialize();
}

TEST(DragContainer, NoDataObject) {
    int32_t type = 0;
    WinDragContainer empty(nullptr);
    EXPECT_EQ(static_cast<int32_t>(empty.getType(0)), -2) << "no data object: type error";
    item(empty, true, type);
    EXPECT_EQ(static_cast<int32_t>(type), -2) << "no data object: kind error";
}
