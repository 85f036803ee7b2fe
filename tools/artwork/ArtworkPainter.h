// Cairo helpers shared by the three pictures.
#pragma once

#include <cairo.h>

namespace artwork {

void setRgb(cairo_t* cr, double r, double g, double b, double a = 1.0);
// A rounded rectangle path.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// Text centred on (cx, baseline).
void centredText(cairo_t* cr, const char* text, double cx, double baseline);

}  // namespace artwork
