// A point of the toolkit: two doubles, y grows downwards, one unit is one pixel.
#pragma once

namespace VSTGUI {

typedef double CCoord;

struct CPoint {
    CCoord x = 0;
    CCoord y = 0;

    CPoint() = default;
    CPoint(CCoord px, CCoord py) : x(px), y(py) {}

    CPoint& offset(CCoord dx, CCoord dy) {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint operator+(const CPoint& o) const { return CPoint(x + o.x, y + o.y); }
    CPoint operator-(const CPoint& o) const { return CPoint(x - o.x, y - o.y); }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const CPoint& o) const { return !(*this == o); }
};

}  // namespace VSTGUI
