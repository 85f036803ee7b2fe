#include "editor/vstgui/CFrame.h"

#include <cstring>

#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/IPlatformFrame.h"
#include "editor/vstgui/VSTGUIEditorInterface.h"
#include "editor/vstgui/ViewMessages.h"

namespace VSTGUI {

namespace {
// Setting the focus notifies views that may in turn set it; one change at a time.
bool focusChangeInProgress = false;
}  // namespace

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor, IPlatformFrame* platformFrame)
    : CViewContainer(size, nullptr, nullptr), editor_(editor), platformFrame_(platformFrame) {
    // The frame is its own parent frame and counts as attached from the start.
    parentFrame_ = this;
    attached_ = true;
}

CFrame::~CFrame() {
    if (modalView_) {
        CView* modal = modalView_;
        modalView_ = nullptr;
        removeView(modal, false);
    }
    setCursor(0);
    setDropActive(false);
    if (frameContext_) frameContext_->forget();
    frameContext_ = nullptr;
    focusView_ = nullptr;
    mouseOverView_ = nullptr;
    removeAll(true);
    parentFrame_ = nullptr;
    delete platformFrame_;
    platformFrame_ = nullptr;
}

void CFrame::draw(CDrawContext* context) {
    drawRect(context, size_);
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect) {
    firstDraw_ = false;
    CDrawContext* ctx = context;
    if (ctx)
        ctx->remember();
    else if (frameContext_) {
        ctx = frameContext_;
        ctx->remember();
    } else {
        ctx = createDrawContext();
    }
    if (!ctx) return;
    CRect oldClip;
    ctx->getClipRect(oldClip);
    CRect clip = updateRect;
    clip.bound(oldClip);
    ctx->setClipRect(clip);
    if (updateRect.getWidth() > 0 && updateRect.getHeight() > 0) CViewContainer::drawRect(ctx, updateRect);
    ctx->setClipRect(oldClip);
    ctx->forget();
}

void CFrame::invalidRect(const CRect& rect) {
    if (!visible_ || !platformFrame_) return;
    platformFrame_->invalidRect(rect);
}

void CFrame::invalid() {
    setDirty(false);
    invalidRect(size_);
}

void CFrame::clearMouseOverView(CPoint& where, const CButtonState& buttons) {
    if (!mouseOverView_) return;
    CPoint local = where;
    mouseOverView_->frameToLocal(local);
    mouseOverView_->onMouseExited(local, buttons);
    mouseOverView_ = nullptr;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
    mouseDownView_ = nullptr;
    if (focusView_) setFocusView(nullptr);
    clearMouseOverView(where, buttons);
    if (modalView_) return modalView_->onMouseDown(where, buttons);
    return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons) {
    if (modalView_) return modalView_->onMouseUp(where, buttons);
    return CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!mouseTracking_) {
        mouseTracking_ = true;
        if (platformFrame_) platformFrame_->trackMouseLeave();
    }
    if (modalView_) return modalView_->onMouseMoved(where, buttons);
    const bool captured = mouseDownView_ != nullptr;
    const CMouseEventResult result = CViewContainer::onMouseMoved(where, buttons);
    if (result != kMouseEventNotHandled) return result;

    CView* view = getViewAt(where, true);
    if (view && view == mouseOverView_) {
        CPoint local = where;
        view->frameToLocal(local);
        return view->onMouseMoved(local, captured ? buttons : 0);
    }
    clearMouseOverView(where, buttons);
    mouseOverView_ = view;
    if (view) {
        CPoint local = where;
        view->frameToLocal(local);
        view->onMouseEntered(local, buttons);
    }
    return kMouseEventHandled;
}

CMouseEventResult CFrame::onMouseExited(CPoint& where, const CButtonState& buttons) {
    clearMouseOverView(where, buttons);
    mouseTracking_ = false;
    return kMouseEventHandled;
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    return onWheel(where, kMouseWheelAxisY, distance, buttons);
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons) {
    if (mouseDownView_) return false;
    if (modalView_) return modalView_->onWheel(where, axis, distance, buttons);
    return CViewContainer::onWheel(where, axis, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode) {
    int32_t answer = -1;
    if (focusView_) answer = focusView_->onKeyDown(keyCode);
    if (answer == -1 && modalView_) answer = modalView_->onKeyDown(keyCode);
    if (answer != -1) return answer;
    const uint8_t kTabKey = 2;
    const uint8_t kShiftModifier = 1;
    if (keyCode.virt == kTabKey)
        return advanceNextFocusView(focusView_, (keyCode.modifier & kShiftModifier) != 0) ? 1 : -1;
    return -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode) {
    int32_t answer = -1;
    if (focusView_) answer = focusView_->onKeyUp(keyCode);
    if (answer == -1 && modalView_) answer = modalView_->onKeyUp(keyCode);
    return answer;
}

bool CFrame::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CFrame") == 0) || CViewContainer::isTypeOf(className);
}

void CFrame::idle() {
    if (open_) invalidateDirtyViews();
}

void CFrame::doIdleStuff() {
    if (editor_) editor_->doIdleStuff();
}

bool CFrame::setSize(CCoord width, CCoord height) {
    if (!open_) return false;
    if (width == size_.getWidth() && height == size_.getHeight()) return false;
    if (platformFrame_) platformFrame_->setSize(width, height);
    setViewSize(CRect(size_.left, size_.top, size_.left + width, size_.top + height), true);
    return true;
}

bool CFrame::getPosition(CPoint& where) const {
    return platformFrame_ && platformFrame_->getPosition(where);
}

bool CFrame::getSize(CRect& size) const {
    return platformFrame_ && platformFrame_->getSize(size);
}

bool CFrame::setModalView(CView* view) {
    if (view && (modalView_ || view->isAttached())) return false;
    if (modalView_) removeView(modalView_, false);
    modalView_ = view;
    if (view) return addView(view);
    return true;
}

void CFrame::beginEdit(int32_t index) {
    if (editor_) editor_->beginEdit(index);
}

void CFrame::endEdit(int32_t index) {
    if (editor_) editor_->endEdit(index);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const {
    return platformFrame_ && platformFrame_->getCurrentMouseLocation(where);
}

CButtonState CFrame::getCurrentMouseButtons() const {
    return platformFrame_ ? platformFrame_->getCurrentMouseButtons() : 0;
}

void CFrame::setCursor(int32_t type) {
    if (platformFrame_) platformFrame_->setMouseCursor(type);
}

// Sends the message to every container between the view and the frame.
static void notifyAncestors(CView* view, const char* message) {
    for (CView* p = view->getParentView(); p && !p->isTypeOf("CFrame"); p = p->getParentView())
        p->notify(view, message);
}

void CFrame::setFocusView(CView* view) {
    if (focusChangeInProgress) return;
    focusChangeInProgress = true;
    CView* old = focusView_;
    focusView_ = view;
    if (view && view->wantsFocus()) {
        view->setDirty(true);
        notifyAncestors(view, kMsgNewFocusView);
    }
    if (old && old->wantsFocus()) {
        old->setDirty(true);
        notifyAncestors(old, kMsgOldFocusView);
        old->looseFocus();
    }
    focusChangeInProgress = false;
}

void CFrame::onViewRemoved(CView* view) {
    if (mouseOverView_ == view) mouseOverView_ = nullptr;
    if (focusView_ == view) focusView_ = nullptr;
    if (mouseDownView_ == view) mouseDownView_ = nullptr;
}

bool CFrame::setDropActive(bool active) {
    if (platformFrame_) platformFrame_->setDropActive(active);
    dropActive_ = active;
    return true;
}

void CFrame::invalidate(const CRect& rect) {
    for (CCView* n = first_; n; n = n->next)
        if (n->view->getViewSize().rectOverlap(rect)) n->view->setDirty(true);
}

CDrawContext* CFrame::createDrawContext() const {
    return platformFrame_ ? platformFrame_->createDrawContext() : nullptr;
}

}  // namespace VSTGUI
