// CDrawContext's drawing on Cairo. Coordinates follow the integer-pixel-centre convention of the
// toolkit (a one-pixel line at y = 5 covers pixel row 5), so geometry is shifted by half a pixel
// into Cairo's device space, whose pixel centres lie at n + 0.5. Clips, images and text are placed
// on the pixel grid directly.
#include <cmath>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/cairo/CairoPlatform.h"

namespace VSTGUI {

namespace {
constexpr double kHalf = 0.5;
constexpr double kPi = 3.14159265358979323846;

void setSource(cairo_t* cr, const CColor& c) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

// Unit-circle path scaled into the box; an empty box adds nothing (a zero scale would break the context).
bool addEllipticArc(cairo_t* cr, double x, double y, double w, double h, double fromDeg, double toDeg) {
    if (!(w > 0) || !(h > 0)) return false;
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_scale(cr, w / 2, h / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, fromDeg * kPi / 180, toDeg * kPi / 180);
    cairo_restore(cr);
    return true;
}

const cairo_font_options_t* textOptions(bool antialias) {
    static cairo_font_options_t* smooth = [] {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
        return o;
    }();
    static cairo_font_options_t* plain = cairo_font_options_create();
    return antialias ? smooth : plain;
}

bool selectFont(cairo_t* cr, CFontDesc* font) {
    CFontDesc::Platform* pf = font ? font->getPlatformFont() : nullptr;
    if (!pf || !pf->face || !(font->getSize() > 0)) return false;
    cairo_set_font_face(cr, pf->face);
    cairo_set_font_size(cr, font->getSize());
    return true;
}
}  // namespace

void CDrawContext::platformCreate(void* systemContext) {
    platform_ = new Platform;
    platform_->cr = cairo_reference(static_cast<cairo_t*>(systemContext));
    platformApplyPen();
    platformApplyLineStyle();
    platformApplyDrawMode();
}

void CDrawContext::platformCreateForBitmap(CBitmap* bitmap) {
    CBitmap::Platform* image = bitmap ? bitmap->getPlatformImage() : nullptr;
    if (!image || !image->surface) return;
    platform_ = new Platform;
    platform_->cr = cairo_create(image->surface);
    platformApplyPen();
    platformApplyLineStyle();
    platformApplyDrawMode();
}

void CDrawContext::platformDestroy() {
    if (!platform_) return;
    if (platform_->cr) cairo_destroy(platform_->cr);
    delete platform_;
    platform_ = nullptr;
}

bool CDrawContext::platformHasTarget() const {
    return platform_ && platform_->cr && cairo_status(platform_->cr) == CAIRO_STATUS_SUCCESS;
}

void CDrawContext::platformApplyPen() {
    if (!platformHasTarget()) return;
    cairo_set_line_width(platform_->cr, lineWidth_);
    // Cairo's dash lengths are absolute; dots must keep following the pen's width.
    if (lineStyle_ == kLineOnOffDash) platformApplyLineStyle();
}

void CDrawContext::platformApplyLineStyle() {
    if (!platformHasTarget()) return;
    if (lineStyle_ == kLineOnOffDash) {
        // Dots as long as the pen is wide, with equal gaps.
        const double dash[2] = {lineWidth_ > 0 ? lineWidth_ : 1, lineWidth_ > 0 ? lineWidth_ : 1};
        cairo_set_dash(platform_->cr, dash, 2, 0);
    } else {
        cairo_set_dash(platform_->cr, nullptr, 0, 0);
    }
}

void CDrawContext::platformApplyDrawMode() {
    if (!platformHasTarget()) return;
    cairo_set_antialias(platform_->cr,
                        drawMode_ == kAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CDrawContext::platformSetClip(int32_t left, int32_t top, int32_t width, int32_t height) {
    cairo_t* cr = platform_->cr;
    cairo_reset_clip(cr);
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    cairo_rectangle(cr, left, top, width, height);
    cairo_clip(cr);
}

void CDrawContext::platformLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    cairo_t* cr = platform_->cr;
    cairo_move_to(cr, x1 + kHalf, y1 + kHalf);
    cairo_line_to(cr, x2 + kHalf, y2 + kHalf);
    setSource(cr, frameColor_);
    cairo_stroke(cr);
}

void CDrawContext::platformPolygon(const float* xy, int32_t count, bool fill, bool stroke, bool closed) {
    cairo_t* cr = platform_->cr;
    auto addPath = [&](bool close) {
        cairo_move_to(cr, xy[0] + kHalf, xy[1] + kHalf);
        for (int32_t i = 1; i < count; ++i) cairo_line_to(cr, xy[2 * i] + kHalf, xy[2 * i + 1] + kHalf);
        if (close) cairo_close_path(cr);
    };
    if (fill) {
        addPath(true);
        setSource(cr, fillColor_);
        cairo_fill(cr);
    }
    if (stroke) {
        addPath(closed);
        setSource(cr, frameColor_);
        cairo_stroke(cr);
    }
}

void CDrawContext::platformFillRect(double x, double y, double width, double height) {
    cairo_t* cr = platform_->cr;
    cairo_rectangle(cr, x + kHalf, y + kHalf, width, height);
    setSource(cr, fillColor_);
    cairo_fill(cr);
}

void CDrawContext::platformStrokeRect(double x, double y, double width, double height) {
    cairo_t* cr = platform_->cr;
    cairo_rectangle(cr, x + kHalf, y + kHalf, width, height);
    setSource(cr, frameColor_);
    cairo_stroke(cr);
}

void CDrawContext::platformEllipse(double x, double y, double width, double height, bool fill, bool stroke) {
    cairo_t* cr = platform_->cr;
    if (fill && addEllipticArc(cr, x + kHalf, y + kHalf, width, height, 0, 360)) {
        setSource(cr, fillColor_);
        cairo_fill(cr);
    }
    if (stroke && addEllipticArc(cr, x + kHalf, y + kHalf, width, height, 0, 360)) {
        setSource(cr, frameColor_);
        cairo_stroke(cr);
    }
}

void CDrawContext::platformArc(double x, double y, double width, double height, double start, double sweep,
                               bool fill, bool stroke) {
    cairo_t* cr = platform_->cr;
    // Cairo's angles grow clockwise on a y-down surface, as the toolkit's do.
    if (fill && addEllipticArc(cr, x + kHalf, y + kHalf, width, height, start, start + sweep)) {
        setSource(cr, fillColor_);
        cairo_fill(cr);
    }
    if (stroke && addEllipticArc(cr, x + kHalf, y + kHalf, width, height, start, start + sweep)) {
        setSource(cr, frameColor_);
        cairo_stroke(cr);
    }
}

double CDrawContext::platformStringWidth(const char* utf8) {
    cairo_t* cr = platform_->cr;
    if (!selectFont(cr, font_)) return -1;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8, &extents);
    return extents.x_advance;
}

double CDrawContext::platformFontHeight() {
    cairo_t* cr = platform_->cr;
    if (!selectFont(cr, font_)) return 0;
    cairo_font_extents_t extents;
    cairo_font_extents(cr, &extents);
    return extents.height;
}

void CDrawContext::platformDrawString(const char* utf8, double left, double top, bool antialias) {
    cairo_t* cr = platform_->cr;
    if (!selectFont(cr, font_)) return;
    cairo_set_font_options(cr, textOptions(antialias));
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    const double baseline = top + font.ascent;
    setSource(cr, fontColor_);
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, utf8);
    if (font_->getPlatformFont()->underline) {
        cairo_text_extents_t text;
        cairo_text_extents(cr, utf8, &text);
        const double y = std::floor(baseline + font.descent / 2) + kHalf;
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, left + text.x_advance, y);
        cairo_save(cr);
        cairo_set_line_width(cr, 1);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_new_path(cr);
}

}  // namespace VSTGUI
