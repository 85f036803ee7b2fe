// A rectangle of the toolkit: left, top, right, bottom as doubles.
#pragma once

#include <utility>

#include "editor/vstgui/CPoint.h"

namespace VSTGUI {

struct CRect {
    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;

    CRect() = default;
    CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
    CRect(const CPoint& origin, CCoord width, CCoord height)
        : left(origin.x), top(origin.y), right(origin.x + width), bottom(origin.y + height) {}

    CCoord getWidth() const { return right - left; }
    CCoord getHeight() const { return bottom - top; }
    CPoint getTopLeft() const { return CPoint(left, top); }

    CRect& offset(CCoord dx, CCoord dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }

    // Swaps edges so that left <= right and top <= bottom.
    CRect& normalize() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
        return *this;
    }

    // Intersection that never yields a negative size: an inverted edge is moved onto its partner.
    CRect& bound(const CRect& r) {
        if (left < r.left) left = r.left;
        if (top < r.top) top = r.top;
        if (right > r.right) right = r.right;
        if (bottom > r.bottom) bottom = r.bottom;
        if (right < left) right = left;
        if (bottom < top) bottom = top;
        return *this;
    }

    // Edges that only touch still count as overlapping.
    bool rectOverlap(const CRect& r) const {
        return right >= r.left && left <= r.right && bottom >= r.top && top <= r.bottom;
    }
    // Edges included.
    bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool isEmpty() const { return !(right > left && bottom > top); }

    bool operator==(const CRect& r) const {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    bool operator!=(const CRect& r) const { return !(*this == r); }
};

}  // namespace VSTGUI
