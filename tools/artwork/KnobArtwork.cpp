#include "tools/artwork/KnobArtwork.h"

#include "tools/artwork/ArtworkPainter.h"

namespace artwork {

cairo_surface_t* paintKnob() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 15);
    cairo_t* cr = cairo_create(surface);
    // Soft shadow to the right, inside the image's spare width.
    roundedRect(cr, 2, 1, 28, 13, 3);
    setRgb(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 0, 0, 13);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.92, 0.93, 0.95);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.55, 0.57, 0.6);
    roundedRect(cr, 0.5, 0.5, 26, 12, 3);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    setRgb(cr, 0.25, 0.26, 0.28);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Centre grip line.
    setRgb(cr, 0.85, 0.6, 0.15);
    cairo_rectangle(cr, 13, 2, 1, 9);
    cairo_fill(cr);
    cairo_destroy(cr);
    return surface;
}

}  // namespace artwork
