// Setting the drawing colour the way the panel code does it, in one call.
#pragma once

#include "runtime/QuillGraphics.h"

inline void setColor(CQuillGraphics& g, double r, double green, double b) {
    g.gfxR = r;
    g.gfxG = green;
    g.gfxB = b;
}

inline void setColor(CQuillGraphics& g, double r, double green, double b, double a) {
    setColor(g, r, green, b);
    g.gfxA = a;
}
