#include "editor/LumoView.h"

#include "plugin/bridge/BridgeCalls.h"

using VSTGUI::CButtonState;
using VSTGUI::CDrawContext;
using VSTGUI::CMouseEventResult;
using VSTGUI::CPoint;
using VSTGUI::CRect;

CLumoView::CLumoView(const CRect& size, CHostAdapter* adapter)
    : CView(size), adapter(adapter), viewRect(size) {}

void CLumoView::draw(CDrawContext* context) {
    adapter->currentContext = context;
    BridgeCalls(*adapter).draw(viewRect.getWidth(), viewRect.getHeight());
    adapter->currentContext = nullptr;
}

CMouseEventResult CLumoView::onMouseDown(CPoint& where, const CButtonState& buttons) {
    BridgeCalls(*adapter).mouseDown(where.x, where.y, buttons);
    return VSTGUI::kMouseEventHandled;
}

CMouseEventResult CLumoView::onMouseUp(CPoint& where, const CButtonState& buttons) {
    BridgeCalls(*adapter).mouseUp(where.x, where.y, buttons);
    return VSTGUI::kMouseEventHandled;
}

CMouseEventResult CLumoView::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    BridgeCalls(*adapter).mouseMove(where.x, where.y, buttons);
    return VSTGUI::kMouseEventHandled;
}

int32_t CLumoView::onKeyDown(VstKeyCode& keyCode) {
    BridgeCalls(*adapter).keyDown(keyCode.character, keyCode.modifier, keyCode.virt);
    return 1;
}

int32_t CLumoView::onKeyUp(VstKeyCode& keyCode) {
    BridgeCalls(*adapter).keyUp(keyCode.character, keyCode.modifier, keyCode.virt);
    return 1;
}
