// Mouse state as the editor view reports it.
#pragma once

#include "runtime/QuillGraphics.h"

class CQuillMouse : public CQuillGraphics {
  public:
    double mouseFlags = 0.0;  // left 1, right 2, Control 4, Shift 8, Alt 16, middle 64; 0 after a release
    double mouseX = 0.0;
    double mouseY = 0.0;
};
