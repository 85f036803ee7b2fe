#include "tools/artwork/RadarArtwork.h"

#include <cmath>

#include "display/PanelLayout.h"
#include "tools/artwork/ArtworkPainter.h"

namespace artwork {

namespace {
constexpr double kPi = 3.14159265358979323846;

struct Speaker {
    const char* name;
    double u, v;  // normalised field position: u = 0 left, v = 0 front
};
// The five full-range speakers sit where the panning law puts them: the square's front corners and
// middle, and its back corners.
constexpr Speaker kSpeakers[] = {
    {"L", 0.0, 0.0}, {"C", 0.5, 0.0}, {"R", 1.0, 0.0}, {"Ls", 0.0, 1.0}, {"Rs", 1.0, 1.0},
};

void paintField(cairo_t* cr, double s) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(s / 2, s / 2, 0, s / 2, s / 2, s * 0.72);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.10, 0.16, 0.20, 1);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.03, 0.05, 0.07, 1);
    cairo_rectangle(cr, 0, 0, s, s);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void paintRingsAndCross(cairo_t* cr, double s) {
    cairo_set_line_width(cr, 1);
    for (int i = 1; i <= 5; ++i) {
        const double r = s / 2 * i / 5.0;
        cairo_arc(cr, s / 2 + 0.5, s / 2 + 0.5, r, 0, 2 * kPi);
        setRgb(cr, 0.35, 0.6, 0.65, i == 5 ? 0.45 : 0.25);
        cairo_stroke(cr);
    }
    setRgb(cr, 0.35, 0.6, 0.65, 0.35);
    cairo_move_to(cr, s / 2 + 0.5, 0);
    cairo_line_to(cr, s / 2 + 0.5, s);
    cairo_move_to(cr, 0, s / 2 + 0.5);
    cairo_line_to(cr, s, s / 2 + 0.5);
    cairo_stroke(cr);
    // Diagonals towards the corner speakers.
    setRgb(cr, 0.35, 0.6, 0.65, 0.15);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s, s);
    cairo_move_to(cr, s, 0);
    cairo_line_to(cr, 0, s);
    cairo_stroke(cr);
    // Field border.
    setRgb(cr, 0.45, 0.7, 0.75, 0.6);
    cairo_rectangle(cr, 0.5, 0.5, s - 1, s - 1);
    cairo_stroke(cr);
}

void paintSpeaker(cairo_t* cr, const Speaker& sp, double s) {
    const double inset = 22;
    const double x = inset + sp.u * (s - 2 * inset);
    const double y = inset + sp.v * (s - 2 * inset);
    roundedRect(cr, x - 9, y - 9, 18, 18, 4);
    setRgb(cr, 0.85, 0.65, 0.2, 0.9);
    cairo_fill_preserve(cr);
    setRgb(cr, 1, 0.9, 0.6, 1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 10);
    setRgb(cr, 0.1, 0.08, 0.05, 1);
    centredText(cr, sp.name, x, y + 3.5);
}

void paintFrontMark(cairo_t* cr, double s) {
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    setRgb(cr, 0.6, 0.8, 0.85, 0.7);
    centredText(cr, "FRONT", s / 2, 46);
    centredText(cr, "BACK", s / 2, s - 38);
}
}  // namespace

cairo_surface_t* paintRadar() {
    const double s = panel_layout::kRadar.w;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, panel_layout::kRadar.w, panel_layout::kRadar.h);
    cairo_t* cr = cairo_create(surface);
    paintField(cr, s);
    paintRingsAndCross(cr, s);
    paintFrontMark(cr, s);
    for (const Speaker& sp : kSpeakers) paintSpeaker(cr, sp, s);
    cairo_destroy(cr);
    return surface;
}

}  // namespace artwork
