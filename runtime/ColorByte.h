// How a script colour component (nominally 0..1) becomes a byte.
#pragma once

#include <cmath>
#include <cstdint>

namespace quill {

// Scaled by 255, nudged by 0.0001 away from zero and truncated, then clamped; NaN gives 0.
inline uint8_t toColorByte(double v) {
    const double scaled = v >= 0 ? v * 255 + 0.0001 : v * 255 - 0.0001;
    if (!(scaled > 0)) return 0;
    if (scaled >= 255) return 255;
    return static_cast<uint8_t>(std::trunc(scaled));
}

}  // namespace quill
