// How script code turns its doubles into integers and truth values.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quill {

// Values closer than this count as equal; a flag below it counts as off.
constexpr double kTolerance = 0.00001;

inline bool isZero(double v) {
    return std::fabs(v) < kTolerance;
}
inline bool nearlyEqual(double a, double b) {
    return std::fabs(a - b) < kTolerance;
}

// A double used as an id, slot or string number: nudged by 0.0001 away from zero, then truncated, so
// values that arithmetic left a hair below an integer still name that integer. Values outside the
// 32-bit range (and NaN) saturate instead of invoking undefined behaviour.
inline int32_t toIndex(double v) {
    const double nudged = v >= 0 ? v + 0.0001 : v - 0.0001;
    if (!(nudged > -2147483648.0)) return std::numeric_limits<int32_t>::min();
    if (!(nudged < 2147483648.0)) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(nudged);
}

constexpr double kDegreesToRadians = 0.0174532925;

inline double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

}  // namespace quill
