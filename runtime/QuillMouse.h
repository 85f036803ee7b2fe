// Mouse state as the editor view reports it.
#pragma once

#include "runtime/QuillGraphics.h"

class CQuillMouse : public CQuillGraphics {
  public:
    // Written by the editor's mouse entries and read by the graphics section, both on the GUI thread
    // as hosts run them; shared so that a host running them apart stays safe.
    SharedDouble mouseFlags =
        0.0;  // left 1, right 2, Control 4, Shift 8, Alt 16, middle 64; 0 after a release
    SharedDouble mouseX = 0.0;
    SharedDouble mouseY = 0.0;
};
