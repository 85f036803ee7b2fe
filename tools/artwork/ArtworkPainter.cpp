#include "tools/artwork/ArtworkPainter.h"

#include <cmath>

namespace artwork {

void setRgb(cairo_t* cr, double r, double g, double b, double a) {
    cairo_set_source_rgba(cr, r, g, b, a);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double pi = 3.14159265358979323846;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -pi / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, pi / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, pi / 2, pi);
    cairo_arc(cr, x + radius, y + radius, radius, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void centredText(cairo_t* cr, const char* text, double cx, double baseline) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, cx - e.x_bearing - e.width / 2, baseline);
    cairo_show_text(cr, text);
}

}  // namespace artwork
