#include "editor/vstgui/CControl.h"

#include <cstring>

namespace VSTGUI {

bool CControl::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CControl") == 0) || CView::isTypeOf(className);
}

}  // namespace VSTGUI
