#pragma once

#include <cairo.h>

#include <string>

namespace artwork {

// Writes an ARGB32 surface as an 8-bit RGBA PNG. Unlike Cairo's own writer it keeps the alpha
// channel even when every pixel is opaque: the module expects PNGs with alpha.
bool writeRgbaPng(cairo_surface_t* surface, const std::string& path);

}  // namespace artwork
