// The toolkit's control base, kept to what the container's press dispatch asks of it: a listener
// that may claim modified clicks before the control sees them.
#pragma once

#include "editor/vstgui/CView.h"

namespace VSTGUI {

class CControl;

class CControlListener {
  public:
    virtual ~CControlListener() = default;
    // GUI thread. A non-zero answer claims a click made with a modifier or the right button.
    virtual int32_t controlModifierClicked(CControl* control, CButtonState buttons) = 0;
};

class CControl : public CView {
  public:
    CControl(const CRect& size, CControlListener* listener) : CView(size), listener_(listener) {}

    // GUI thread.
    bool isTypeOf(const char* className) const override;
    CView* newCopy() const override { return new CControl(*this); }

    CControlListener* getListener() const { return listener_; }
    void setListener(CControlListener* listener) { listener_ = listener; }

  private:
    CControlListener* listener_;
};

}  // namespace VSTGUI
