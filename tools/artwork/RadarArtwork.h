#pragma once

#include <cairo.h>

namespace artwork {

// 500 x 500: the listening field seen from above, front at the top.
cairo_surface_t* paintRadar();

}  // namespace artwork
