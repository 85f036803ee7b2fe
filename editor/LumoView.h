// The editor's single view: lends the paint's context to the effect's graphics section and turns
// mouse events into the effect's mouse variables, all through the adapter's bridge table.
#pragma once

#include "editor/vstgui/CView.h"

class CHostAdapter;

class CLumoView : public VSTGUI::CView {
  public:
    CLumoView(const VSTGUI::CRect& size, CHostAdapter* adapter);

    // GUI thread (all operations below), inside the frame's paint and mouse handling.
    ~CLumoView() override = default;
    // Runs bridge entry 7 with the adapter's currentContext set to the context for its duration.
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;

    CHostAdapter* const adapter;
    const VSTGUI::CRect viewRect;
};
