#include "editor/LumoView.h"

#include "plugin/boundary/HostAdapter.h"

using VSTGUI::CButtonState;
using VSTGUI::CDrawContext;
using VSTGUI::CMouseEventResult;
using VSTGUI::CPoint;
using VSTGUI::CRect;

CLumoView::CLumoView(const CRect& size, CHostAdapter* adapter)
    : CView(size), adapter(adapter), viewRect(size) {}

void CLumoView::draw(CDrawContext* context) {
    if (adapter->bridge.draw == nullptr) return;
    adapter->currentContext = context;
    adapter->bridge.draw(adapter, viewRect.getWidth(), viewRect.getHeight());
    adapter->currentContext = nullptr;
}

CMouseEventResult CLumoView::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (adapter->bridge.mouseDown != nullptr) adapter->bridge.mouseDown(adapter, where.x, where.y, buttons);
    return VSTGUI::kMouseEventHandled;
}

CMouseEventResult CLumoView::onMouseUp(CPoint& where, const CButtonState& buttons) {
    if (adapter->bridge.mouseUp != nullptr) adapter->bridge.mouseUp(adapter, where.x, where.y, buttons);
    return VSTGUI::kMouseEventHandled;
}

CMouseEventResult CLumoView::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (adapter->bridge.mouseMove != nullptr) adapter->bridge.mouseMove(adapter, where.x, where.y, buttons);
    return VSTGUI::kMouseEventHandled;
}

int32_t CLumoView::onKeyDown(VstKeyCode& keyCode) {
    if (adapter->bridge.keyDown != nullptr)
        adapter->bridge.keyDown(adapter, keyCode.character, keyCode.modifier, keyCode.virt);
    return 1;
}

int32_t CLumoView::onKeyUp(VstKeyCode& keyCode) {
    if (adapter->bridge.keyUp != nullptr)
        adapter->bridge.keyUp(adapter, keyCode.character, keyCode.modifier, keyCode.virt);
    return 1;
}
