#include "editor/vstgui/CBaseObject.h"

namespace VSTGUI {

void CBaseObject::forget() {
    if (--nbReference_ == 0) delete this;
}

void CBaseObject::remember() {
    ++nbReference_;
}

CMessageResult CBaseObject::notify(CBaseObject*, const char*) {
    return kMessageUnknown;
}

}  // namespace VSTGUI
