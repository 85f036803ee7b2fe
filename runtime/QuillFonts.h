// Font table of a script effect.
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
    std::map<int32_t, FontSlot> fonts;
    double gfxTextHeight = 0.0;  // line height used by text drawing
};
