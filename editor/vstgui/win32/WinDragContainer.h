// The dragged OLE data object as a CDragContainer: one Unicode text item, or the dropped files
// (shortcuts resolved to their targets), converted to UTF-8.
#pragma once

#include <string>

#include "editor/vstgui/CDragContainer.h"
#include "editor/vstgui/win32/GdiPlusApi.h"

namespace VSTGUI {

class WinDragContainer : public CDragContainer {
  public:
    // The data object is not owned; it outlives the drag.
    explicit WinDragContainer(IDataObject* data);

    // GUI thread (all operations).
    void* first(int32_t& size, int32_t& type) override;
    void* next(int32_t& size, int32_t& type) override;
    int32_t getType(int32_t index) const override;
    int32_t getCount() const override { return count_; }

    // The target of a shortcut file, or the name itself when it is no shortcut or cannot be resolved.
    static std::wstring resolveShortcut(const std::wstring& name);

  private:
    bool hasUnicodeText() const;
    void* nextText(int32_t& size, int32_t& type);
    void* nextFile(int32_t& size, int32_t& type);

    IDataObject* data_;
    int32_t count_ = 0;
    int32_t index_ = 0;
    std::string buffer_;
};

}  // namespace VSTGUI
