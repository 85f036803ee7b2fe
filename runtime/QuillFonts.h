// Font table of a script effect and its font selection.
#pragma once

#include <map>
#include <string>

#include "runtime/QuillFiles.h"

struct FontSlot {
    std::string faceName;
    double size = 0.0;
    int32_t flags = 0;
};

class CQuillFonts : public CQuillFiles {
  public:
    // Records the face (string faceId) at 0.85 x height in the slot, makes height the line height
    // and selects the face on the paint in progress ("verdana" when that fails). GUI thread.
    double SelectFont(double slot, double faceId, double height);

    std::map<int32_t, FontSlot> fonts;
    double gfxTextHeight = 0.0;  // line height used by text drawing
};
