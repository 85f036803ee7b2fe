// What a paint changed of a window's back buffer, for a window that sends the screen only that. The
// window says whether the buffer still holds what its last paint left there; a drawing that knows which
// parts it changed reports them, or that it changed none. A paint that reports nothing is taken to have
// changed everything it was asked to paint. GUI thread.
#pragma once

#include <vector>

#include "editor/vstgui/CRect.h"

namespace VSTGUI {

class PaintDamage {
  public:
    // Before each paint.
    void begin(bool retained) {
        retained_ = retained;
        reported_ = false;
        areas_.clear();
    }
    // The buffer holds the last paint's pixels: a drawing that repeats them may leave them alone.
    bool retained() const { return retained_; }

    void reportNone() { reported_ = true; }
    void report(const CRect& area) {
        reported_ = true;
        if (!area.isEmpty()) areas_.push_back(area);
    }

    bool reported() const { return reported_; }
    const std::vector<CRect>& areas() const { return areas_; }

  private:
    bool retained_ = false;
    bool reported_ = false;
    std::vector<CRect> areas_;
};

}  // namespace VSTGUI
