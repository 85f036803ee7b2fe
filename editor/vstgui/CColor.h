// A colour of the toolkit: red, green, blue, alpha bytes (alpha 255 is opaque).
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;

    bool operator==(const CColor& o) const {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    bool operator!=(const CColor& o) const { return !(*this == o); }
};

constexpr CColor MakeCColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return CColor{r, g, b, a};
}

constexpr CColor kBlackCColor{0, 0, 0, 255};
constexpr CColor kWhiteCColor{255, 255, 255, 255};

// The 32-bit ARGB value the platform drawing layers work with.
constexpr uint32_t toArgb(const CColor& c) {
    return (uint32_t(c.alpha) << 24) | (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | uint32_t(c.blue);
}

}  // namespace VSTGUI
