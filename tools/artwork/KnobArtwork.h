#pragma once

#include <cairo.h>

namespace artwork {

// 32 x 15: the slider knob; its body is the 26 pixels the display's travel arithmetic assumes.
cairo_surface_t* paintKnob();

}  // namespace artwork
