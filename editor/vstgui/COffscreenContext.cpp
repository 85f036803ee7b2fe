#include "editor/vstgui/COffscreenContext.h"

#include <cmath>

#include "editor/vstgui/CBitmap.h"

namespace VSTGUI {

namespace {
double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0;
}
}  // namespace

COffscreenContext::COffscreenContext(CFrame* frame, CCoord width, CCoord height, const CColor& background)
    : CDrawContext(frame, nullptr, nullptr),
      width_(finiteOrZero(width)),
      height_(finiteOrZero(height)),
      backgroundColor_(background) {
    bitmap_ = new CBitmapForOC(width_, height_);
    attachToBitmap(bitmap_);
    // A negative extent puts that edge at the origin instead.
    setInitialClip(CRect(std::fmin(0.0, width_), std::fmin(0.0, height_), std::fmax(0.0, width_),
                         std::fmax(0.0, height_)));
}

COffscreenContext::~COffscreenContext() {
    if (bitmap_) bitmap_->forget();
    bitmap_ = nullptr;
}

CBitmap* COffscreenContext::getBitmap() const {
    return bitmap_;
}

void COffscreenContext::copyFrom(CDrawContext* target, const CRect& dest, const CPoint& offset) {
    if (bitmap_) bitmap_->draw(target, dest, offset);
}

void COffscreenContext::copyOpaqueFrom(CDrawContext* target, const CRect& dest, const CPoint& offset) {
    if (bitmap_) bitmap_->copyOpaque(target, dest, offset);
}

}  // namespace VSTGUI
