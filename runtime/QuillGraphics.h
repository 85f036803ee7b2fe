// Image table and drawing position of a script effect.
#pragma once

#include <map>

#include "runtime/QuillFonts.h"

struct ImageHolder;  // a reference-counted bitmap behind the image bridges

struct ImageSlot {
    ImageHolder* holder = nullptr;
    double width = 0.0;
    double height = 0.0;
};

class CQuillGraphics : public CQuillFonts {
public:
    ~CQuillGraphics() override;

    std::map<int32_t, ImageSlot> images;
    double gfxX = 0.0;
    double gfxY = 0.0;
    double gfxRate = 0.0;  // timed refresh in frames per second; 0 or less: none
    // Current colour, each nominally 0..1, and the surface size of the frame being drawn.
    double gfxR = 0.0;
    double gfxG = 0.0;
    double gfxB = 0.0;
    double gfxA = 0.0;
    double gfxWidth = 0.0;
    double gfxHeight = 0.0;
};
