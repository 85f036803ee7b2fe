#pragma once

#include <cairo.h>

namespace artwork {

// 1130 x 540: the panel with troughs under the controls, headings, product name and meter scale.
cairo_surface_t* paintBackground();

}  // namespace artwork
