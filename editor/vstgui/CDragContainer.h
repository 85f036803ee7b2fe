// What a view receives while something is dragged over it: the dragged items, one at a time. Each
// window layer that offers drag and drop wraps its system's dragged data in one of these.
#pragma once

#include <cstdint>

#include "editor/vstgui/CBaseObject.h"

namespace VSTGUI {

class CDragContainer : public CBaseObject {
  public:
    enum Type : int32_t { kFile = 0, kText = 1, kUnicodeText = 2, kUnknown = -1, kError = -2 };

    // GUI thread (all operations). Items are handed out in a buffer owned by the container,
    // valid until the next call.
    virtual void* first(int32_t& size, int32_t& type) = 0;
    virtual void* next(int32_t& size, int32_t& type) = 0;
    virtual int32_t getType(int32_t index) const = 0;
    virtual int32_t getCount() const = 0;
};

}  // namespace VSTGUI
