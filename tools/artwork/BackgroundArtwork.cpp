#include "tools/artwork/BackgroundArtwork.h"

#include <string>

#include "display/PanelLayout.h"
#include "tools/artwork/ArtworkPainter.h"

namespace artwork {

using namespace panel_layout;

namespace {
void paintPanel(cairo_t* cr) {
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 0, kHeight);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.13, 0.14, 0.16);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.07, 0.08, 0.09);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

// A recessed well, drawn a pixel larger than the area so the content sits inside its rim.
void paintWell(cairo_t* cr, double x, double y, double w, double h, double radius) {
    roundedRect(cr, x - 1, y - 1, w + 2, h + 2, radius);
    setRgb(cr, 0.03, 0.035, 0.04);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    setRgb(cr, 0.3, 0.32, 0.35, 0.8);
    cairo_stroke(cr);
}

void paintTroughs(cairo_t* cr) {
    for (int number = 1; number <= kControlCount; ++number) {
        const Rect c = control(number);
        paintWell(cr, c.x, c.y, c.w, c.h, 3);
        if (c.w > c.h) {
            // Centre groove along which the knob slides.
            setRgb(cr, 0.22, 0.24, 0.27);
            cairo_rectangle(cr, c.x + 4, c.y + c.h / 2.0 - 1, c.w - 8, 2);
            cairo_fill(cr);
        }
    }
}

void paintHeadings(cairo_t* cr) {
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 14);
    setRgb(cr, 0.75, 0.8, 0.85);
    centredText(cr, "CH1", kCh1ColumnLeft + kColumnWidth / 2.0, kAnimationTop - 14);
    centredText(cr, "CH2", kCh2ColumnLeft + kColumnWidth / 2.0, kAnimationTop - 14);
    setRgb(cr, 0.3, 0.32, 0.35);
    cairo_rectangle(cr, kCh1ColumnLeft, kAnimationTop - 9, kColumnWidth, 1);
    cairo_rectangle(cr, kCh2ColumnLeft, kAnimationTop - 9, kColumnWidth, 1);
    cairo_fill(cr);
}

void paintProductName(cairo_t* cr) {
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 40);
    setRgb(cr, 0.85, 0.65, 0.2);
    cairo_move_to(cr, 770, 62);
    cairo_show_text(cr, "Orbitone");
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    setRgb(cr, 0.6, 0.62, 0.66);
    cairo_move_to(cr, 772, 80);
    cairo_show_text(cr, "surround panner");
}

void paintMeterScale(cairo_t* cr) {
    paintWell(cr, kMeterLeft - 2, kMeterTop, kMeterRight - kMeterLeft + 4, kMeterBottom - kMeterTop, 2);
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 9);
    for (int mark : kMeterMarks) {
        const double y = meterMarkY(mark);
        setRgb(cr, 0.45, 0.48, 0.52, 0.9);
        cairo_rectangle(cr, kMeterLeft, static_cast<int>(y), kMeterRight - kMeterLeft, 1);
        cairo_fill(cr);
        setRgb(cr, 0.7, 0.72, 0.76);
        cairo_move_to(cr, kMeterRight + 5, y + 3);
        cairo_show_text(cr, std::to_string(mark).c_str());
    }
}

void paintRadarRim(cairo_t* cr) {
    paintWell(cr, kRadar.x, kRadar.y, kRadar.w, kRadar.h, 2);
}
}  // namespace

cairo_surface_t* paintBackground() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    paintPanel(cr);
    paintRadarRim(cr);
    paintTroughs(cr);
    paintHeadings(cr);
    paintProductName(cr);
    paintMeterScale(cr);
    cairo_destroy(cr);
    return surface;
}

}  // namespace artwork
