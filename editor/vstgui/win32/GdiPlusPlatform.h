// The GDI+ objects behind the toolkit's opaque platform handles (Windows backend only).
#pragma once

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/win32/GdiPlusApi.h"

namespace VSTGUI {

struct CDrawContext::Platform {
    HDC dc = nullptr;
    HWND dcOwner = nullptr;  // set when the context took the window's own device context
    Gdiplus::GpGraphics* graphics = nullptr;
    Gdiplus::GpPen* pen = nullptr;
    Gdiplus::GpSolidFill* fillBrush = nullptr;
    Gdiplus::GpSolidFill* fontBrush = nullptr;
    ARGB fillArgb = 0xFF000000;
    ARGB fontArgb = 0xFF000000;
    GpStatus lastStatus = Gdiplus::Ok;
};

struct CBitmap::Platform {
    Gdiplus::GpBitmap* bitmap = nullptr;
};

struct CFontDesc::Platform {
    Gdiplus::GpFont* font = nullptr;  // null when the name names no font family
    unsigned generation = 0;          // the GDI+ start-up this font belongs to
};

// The context's GDI+ graphics object, or null when it has no drawing target.
inline Gdiplus::GpGraphics* graphicsOf(const CDrawContext* context) {
    const CDrawContext::Platform* p = context ? context->getPlatform() : nullptr;
    return p ? p->graphics : nullptr;
}

// The description's GDI+ font for the running GDI+, made again when it came from an earlier start-up.
Gdiplus::GpFont* gdiPlusFontOf(CFontDesc* font);

}  // namespace VSTGUI
