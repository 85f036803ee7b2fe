// A drawing context whose target is a bitmap it owns (32-bit ARGB, initially transparent black).
#pragma once

#include "editor/vstgui/CDrawContext.h"

namespace VSTGUI {

class CBitmapForOC;

class COffscreenContext : public CDrawContext {
  public:
    COffscreenContext(CFrame* frame, CCoord width, CCoord height, const CColor& background = kBlackCColor);
    // GUI thread.
    ~COffscreenContext() override;

    CBitmap* getBitmap() const;
    CCoord getWidth() const { return width_; }
    CCoord getHeight() const { return height_; }
    // Stored only; the image starts transparent whatever it is.
    CColor getBackgroundColor() const { return backgroundColor_; }

    // Copies the image's area (offset, size of dest) into another context at dest.
    void copyFrom(CDrawContext* target, const CRect& dest, const CPoint& offset = CPoint());
    // The same for an image known to be opaque everywhere: its pixels replace the target's.
    void copyOpaqueFrom(CDrawContext* target, const CRect& dest, const CPoint& offset = CPoint());

  private:
    CBitmapForOC* bitmap_ = nullptr;
    CCoord width_;
    CCoord height_;
    CColor backgroundColor_;
};

}  // namespace VSTGUI
