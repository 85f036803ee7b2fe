// CFontDesc's fonts on Cairo: fontconfig resolves the family ("Arial" to Liberation Sans).
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/cairo/CairoPlatform.h"

namespace VSTGUI {

CFontDesc::Platform* CFontDesc::platformCreate() const {
    if (!hasName_) return nullptr;
    // One style only, in this order of precedence.
    cairo_font_slant_t slant = CAIRO_FONT_SLANT_NORMAL;
    cairo_font_weight_t weight = CAIRO_FONT_WEIGHT_NORMAL;
    bool underline = false;
    if (style_ & kUnderlineFace)
        underline = true;
    else if (style_ & kItalicFace)
        slant = CAIRO_FONT_SLANT_ITALIC;
    else if (style_ & kBoldFace)
        weight = CAIRO_FONT_WEIGHT_BOLD;
    cairo_font_face_t* face = cairo_toy_font_face_create(name_.c_str(), slant, weight);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    return new Platform{face, underline};
}

void CFontDesc::platformFree(Platform* font) {
    if (font->face) cairo_font_face_destroy(font->face);
    delete font;
}

}  // namespace VSTGUI
