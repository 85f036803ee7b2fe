#include "display/GraphicsBridges.h"

#include <cctype>
#include <vector>

#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "plugin/boundary/HostAdapter.h"

using VSTGUI::CColor;
using VSTGUI::CDrawContext;
using VSTGUI::CDrawStyle;
using VSTGUI::CPoint;
using VSTGUI::CRect;

namespace {

constexpr int32_t kSmoothingOn = 3;

CDrawContext* contextOf(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->currentContext : nullptr;
}

bool validStyle(int32_t style) {
    return style >= VSTGUI::kDrawStroked && style <= VSTGUI::kDrawFilledAndStroked;
}

bool validAlignment(int32_t alignment) {
    return alignment >= VSTGUI::kLeftText && alignment <= VSTGUI::kRightText;
}

bool sameFaceName(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return false;
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

VSTGUI::CFontDesc* findOrAddFont(std::vector<VSTGUI::CFontDesc*>& fontList, const char* faceName) {
    for (auto it = fontList.rbegin(); it != fontList.rend(); ++it) {
        if (*it != nullptr && sameFaceName((*it)->getName(), faceName)) return *it;
    }
    fontList.push_back(new VSTGUI::CFontDesc(faceName, 0, 0));
    return fontList.back();
}

}  // namespace

int32_t contextSetSmoothing(CHostAdapter* adapter, int32_t mode) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->setDrawMode(mode == kSmoothingOn ? VSTGUI::kAntialias : VSTGUI::kCopyMode);
    return 1;
}

int32_t contextSetFontColor(CHostAdapter* adapter, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->setFontColor(CColor{r, g, b, a});
    return 1;
}

int32_t contextSetFillColor(CHostAdapter* adapter, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->setFillColor(CColor{r, g, b, a});
    return 1;
}

int32_t contextSetFrameColor(CHostAdapter* adapter, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->setFrameColor(CColor{r, g, b, a});
    return 1;
}

double contextTextWidth(CHostAdapter* adapter, const char* utf8) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0.0;
    return context->getStringWidth(utf8);
}

int32_t contextMoveTo(CHostAdapter* adapter, double x, double y) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->moveTo(CPoint(x, y));
    return 1;
}

int32_t contextLineTo(CHostAdapter* adapter, double x, double y) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->lineTo(CPoint(x, y));
    return 1;
}

int32_t contextDrawRect(CHostAdapter* adapter, double left, double top, double right, double bottom,
                        int32_t style) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr || !validStyle(style)) return 0;
    context->drawRect(CRect(left, top, right, bottom), static_cast<CDrawStyle>(style));
    return 1;
}

int32_t contextDrawEllipse(CHostAdapter* adapter, double left, double top, double right, double bottom,
                           int32_t style) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr || !validStyle(style)) return 0;
    context->drawEllipse(CRect(left, top, right, bottom), static_cast<CDrawStyle>(style));
    return 1;
}

int32_t contextDrawTextInRect(CHostAdapter* adapter, const char* utf8, double left, double top, double right,
                              double bottom, uint8_t, int32_t alignment) {
    return contextDrawTextAligned(adapter, utf8, left, top, right, bottom, alignment, 1);
}

int32_t contextDrawText(CHostAdapter* adapter, const char* utf8, double x, double y, uint8_t antialias) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr || utf8 == nullptr) return 0;
    context->drawString(utf8, CPoint(x, y), antialias != 0);
    return 1;
}

int32_t contextDrawTextAligned(CHostAdapter* adapter, const char* utf8, double left, double top, double right,
                               double bottom, int32_t alignment, uint8_t antialias) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr || utf8 == nullptr) return 0;
    if (!validAlignment(alignment)) alignment = VSTGUI::kCenterText;
    context->drawString(utf8, CRect(left, top, right, bottom), alignment, antialias != 0);
    return 1;
}

int32_t contextDrawArc(CHostAdapter* adapter, double left, double top, double right, double bottom,
                       double startAngle, double endAngle, int32_t style) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr || !validStyle(style)) return 0;
    context->drawArc(CRect(left, top, right, bottom), static_cast<float>(startAngle),
                     static_cast<float>(endAngle), static_cast<CDrawStyle>(style));
    return 1;
}

int32_t contextDrawPoint(CHostAdapter* adapter, double x, double y, uint8_t r, uint8_t g, uint8_t b,
                         uint8_t a) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    context->drawPoint(CPoint(x, y), CColor{r, g, b, a});
    return 1;
}

int32_t contextGetPoint(CHostAdapter* adapter, double x, double y, uint8_t* r, uint8_t* g, uint8_t* b,
                        uint8_t* a) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr) return 0;
    const CColor color = context->getPoint(CPoint(x, y));
    if (r != nullptr) *r = color.red;
    if (g != nullptr) *g = color.green;
    if (b != nullptr) *b = color.blue;
    if (a != nullptr) *a = color.alpha;
    return 1;
}

int32_t contextSelectFont(CHostAdapter* adapter, const char* faceName, int32_t size, int32_t style) {
    CDrawContext* context = contextOf(adapter);
    if (context == nullptr || faceName == nullptr) return 0;
    context->setFont(findOrAddFont(adapter->fontList, faceName), size, style);
    return 1;
}
