// The Cairo objects behind the toolkit's opaque platform handles (Linux backend only).
#pragma once

#include <cairo.h>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFontDesc.h"

namespace VSTGUI {

struct CDrawContext::Platform {
    cairo_t* cr = nullptr;
};

struct CBitmap::Platform {
    cairo_surface_t* surface = nullptr;  // always CAIRO_FORMAT_ARGB32
};

struct CFontDesc::Platform {
    cairo_font_face_t* face = nullptr;
    bool underline = false;
};

// The context's Cairo handle, or null when it has no drawing target.
inline cairo_t* cairoOf(const CDrawContext* context) {
    const CDrawContext::Platform* p = context ? context->getPlatform() : nullptr;
    return p ? p->cr : nullptr;
}

}  // namespace VSTGUI
