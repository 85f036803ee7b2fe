#include "editor/vstgui/CViewContainer.h"

#include <cstring>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CControl.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/ViewMessages.h"

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background) : CView(size) {
    parentFrame_ = frame;
    if (background) setBackground(background);
}

// The copy holds copies of the children; it is detached like any new view.
CViewContainer::CViewContainer(const CViewContainer& other)
    : CView(other),
      backgroundColor_(other.backgroundColor_),
      backgroundOffset_(other.backgroundOffset_),
      drawInOffscreen_(other.drawInOffscreen_) {
    for (CCView* n = other.first_; n; n = n->next) {
        CView* copy = n->view->newCopy();
        addView(copy);
        copy->forget();  // the container's reference is the only one
    }
}

// Only the container's own references go; a creator that kept one still holds it.
CViewContainer::~CViewContainer() {
    removeAll(false);
}

CMessageResult CViewContainer::notify(CBaseObject* sender, const char* message) {
    if (message == kMsgCheckIfViewContainer) return kMessageNotified;
    return CView::notify(sender, message);
}

void CViewContainer::draw(CDrawContext* context) {
    drawRect(context, size_);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    if (!context) return;
    const CPoint oldWindowOffset = context->getWindowOffset();
    const CPoint oldOffset = context->getOffset();
    context->setWindowOffset(oldWindowOffset + size_.getTopLeft());
    context->setOffset(oldOffset + size_.getTopLeft());

    CRect oldClip;
    context->getClipRect(oldClip);
    CRect clipped = updateRect;
    clipped.bound(size_);
    clipped.offset(-size_.left, -size_.top);
    clipped.bound(oldClip);
    context->setClipRect(clipped);

    drawBackgroundRect(context, clipped);

    for (CCView* n = first_; n; n = n->next) {
        CView* child = n->view;
        if (!checkUpdateRect(child, clipped)) continue;
        CRect childClip = child->getViewSize();
        childClip.bound(clipped);
        context->setClipRect(childClip);
        child->drawRect(context, clipped);
    }

    context->setClipRect(oldClip);
    context->setOffset(oldOffset);
    context->setWindowOffset(oldWindowOffset);
    setDirty(false);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& updateRect) {
    if (!context) return;
    const CRect area(0, 0, size_.getWidth(), size_.getHeight());
    if (background_) {
        CRect oldClip;
        context->getClipRect(oldClip);
        CRect clip = updateRect;
        clip.bound(oldClip);
        context->setClipRect(clip);
        const CRect dest(0, 0, background_->getWidth(), background_->getHeight());
        if (transparent_)
            background_->drawTransparent(context, dest, backgroundOffset_);
        else
            background_->draw(context, dest, backgroundOffset_);
        context->setClipRect(oldClip);
    } else if (!(backgroundColor_.alpha == 255 && transparent_)) {
        context->setFillColor(backgroundColor_);
        context->setFrameColor(backgroundColor_);
        context->drawRect(area, kDrawFilledAndStroked);
    }
}

void CViewContainer::invalidRect(const CRect& rect) {
    if (!attached_ || !visible_) return;
    CRect r = rect;
    r.offset(size_.left, size_.top);
    r.bound(size_);
    if (r.isEmpty()) return;
    CView::invalidRect(r);
}

bool CViewContainer::isDirty() const {
    if (dirty_) return true;
    for (CCView* n = first_; n; n = n->next)
        if (n->view->isVisible() && n->view->isDirty()) return true;
    return false;
}

bool CViewContainer::invalidateDirtyViews() {
    if (!visible_) return true;
    if (dirty_) {
        // The frame has no parent to hand its own size to; it takes it itself.
        if (!parentView_ && static_cast<CView*>(parentFrame_) == this)
            invalidRect(size_);
        else
            CView::invalidRect(size_);
        return true;
    }
    for (CCView* n = first_; n; n = n->next) {
        CView* child = n->view;
        if (!child->isDirty() || !child->isVisible()) continue;
        if (isContainer(child))
            static_cast<CViewContainer*>(child)->invalidateDirtyViews();
        else
            child->invalid();
    }
    return true;
}

CMouseEventResult CViewContainer::pressChild(CView* child, CPoint& where, const CButtonState& buttons) {
    const CButtonState modifiers = kRButton | kShift | kControl | kAlt | kApple;
    if (child->isTypeOf("CControl") && (buttons & modifiers)) {
        CControlListener* listener = static_cast<CControl*>(child)->getListener();
        if (listener && listener->controlModifierClicked(static_cast<CControl*>(child), buttons) != 0)
            return kMouseEventHandled;
    }
    const CMouseEventResult result = child->onMouseDown(where, buttons);
    if (result == kMouseEventHandled) {
        mouseDownView_ = child;
    } else if (result == kMouseEventNotImplemented) {
        // Views written before event methods existed still get the press through mouse().
        CDrawContext* context = parentFrame_ ? parentFrame_->createDrawContext() : nullptr;
        child->mouse(context, where, buttons);
        if (context) context->forget();
    }
    return result;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
    CPoint local = toLocal(where);
    for (CCView* n = last_; n; n = n->previous) {
        CView* child = n->view;
        if (child->isVisible() && child->getMouseEnabled() && child->hitTest(local, buttons))
            return pressChild(child, local, buttons);
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
    if (!mouseDownView_) return kMouseEventNotHandled;
    CPoint local = toLocal(where);
    CView* view = mouseDownView_;
    mouseDownView_ = nullptr;
    view->onMouseUp(local, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!mouseDownView_) return kMouseEventNotHandled;
    CPoint local = toLocal(where);
    if (mouseDownView_->onMouseMoved(local, buttons) == kMouseEventHandled) return kMouseEventHandled;
    mouseDownView_ = nullptr;
    return kMouseEventNotHandled;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    return onWheel(where, kMouseWheelAxisY, distance, buttons);
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons) {
    CView* child = getViewAt(where, false);
    if (!child) return false;
    return child->onWheel(toLocal(where), axis, distance, buttons);
}

// Drags go to the direct child under the pointer; the one that last had the drag hears when it leaves.
void CViewContainer::onDragEnter(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    if (dropView_) dropView_->onDragLeave(drag, local);
    dropView_ = getViewAt(where, false);
    if (dropView_) dropView_->onDragEnter(drag, local);
}

void CViewContainer::onDragMove(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    CView* view = getViewAt(where, false);
    if (view == dropView_) {
        if (view) view->onDragMove(drag, local);
        return;
    }
    if (dropView_) dropView_->onDragLeave(drag, local);
    dropView_ = view;
    if (dropView_) dropView_->onDragEnter(drag, local);
}

void CViewContainer::onDragLeave(CDragContainer* drag, const CPoint& where) {
    if (dropView_) dropView_->onDragLeave(drag, toLocal(where));
    dropView_ = nullptr;
}

bool CViewContainer::onDrop(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    CView* view = getViewAt(where, false);
    if (dropView_ && dropView_ != view) dropView_->onDragLeave(drag, local);
    dropView_ = nullptr;
    if (!view) return false;
    const bool taken = view->onDrop(drag, local);
    view->onDragLeave(drag, local);
    return taken;
}

int32_t CViewContainer::onKeyDown(VstKeyCode& keyCode) {
    for (CCView* n = last_; n; n = n->previous) {
        const int32_t answer = n->view->onKeyDown(keyCode);
        if (answer != -1) return answer;
    }
    return -1;
}

int32_t CViewContainer::onKeyUp(VstKeyCode& keyCode) {
    for (CCView* n = last_; n; n = n->previous) {
        const int32_t answer = n->view->onKeyUp(keyCode);
        if (answer != -1) return answer;
    }
    return -1;
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const {
    point.offset(-size_.left, -size_.top);
    return CView::frameToLocal(point);
}

CPoint& CViewContainer::localToFrame(CPoint& point) const {
    point.offset(size_.left, size_.top);
    return CView::localToFrame(point);
}

bool CViewContainer::attached(CView* parent) {
    if (!CView::attached(parent)) return false;
    for (CCView* n = first_; n; n = n->next) n->view->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent) {
    if (!attached_) return false;
    for (CCView* n = first_; n; n = n->next) n->view->removed(this);
    mouseDownView_ = nullptr;
    return CView::removed(parent);
}

bool CViewContainer::isTypeOf(const char* className) const {
    return (className && std::strcmp(className, "CViewContainer") == 0) || CView::isTypeOf(className);
}

CViewContainer::CCView* CViewContainer::findNode(CView* view) const {
    for (CCView* n = first_; n; n = n->next)
        if (n->view == view) return n;
    return nullptr;
}

void CViewContainer::appendNode(CCView* node) {
    node->previous = last_;
    node->next = nullptr;
    if (last_)
        last_->next = node;
    else
        first_ = node;
    last_ = node;
}

void CViewContainer::unlinkNode(CCView* node) {
    if (node->previous)
        node->previous->next = node->next;
    else
        first_ = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        last_ = node->previous;
}

void CViewContainer::adopt(CView* view) {
    view->remember();
    if (attached_) {
        view->attached(this);
        view->invalid();
    }
}

// A view already listed here is refused too: in a detached container it is not yet attached, and
// listing it twice would release it twice.
bool CViewContainer::addView(CView* view) {
    if (!view || view->isAttached() || isChild(view)) return false;
    appendNode(new CCView{view, nullptr, nullptr});
    adopt(view);
    return true;
}

bool CViewContainer::addView(CView* view, const CRect& mouseableArea, bool mouseEnabled) {
    if (!view || view->isAttached() || isChild(view)) return false;
    view->setMouseableArea(mouseableArea);
    view->setMouseEnabled(mouseEnabled);
    return addView(view);
}

bool CViewContainer::addView(CView* view, CView* before) {
    CCView* beforeNode = findNode(before);
    if (!beforeNode) return addView(view);
    if (!view || view->isAttached() || isChild(view)) return false;
    CCView* node = new CCView{view, beforeNode, beforeNode->previous};
    if (beforeNode->previous)
        beforeNode->previous->next = node;
    else
        first_ = node;
    beforeNode->previous = node;
    adopt(view);
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
    CCView* node = findNode(view);
    if (!node) return false;
    view->invalid();
    if (parentFrame_) parentFrame_->onViewRemoved(view);
    if (mouseDownView_ == view) mouseDownView_ = nullptr;
    if (dropView_ == view) dropView_ = nullptr;
    if (attached_) view->removed(this);
    unlinkNode(node);
    delete node;
    if (withForget) view->forget();
    view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget) {
    mouseDownView_ = nullptr;
    dropView_ = nullptr;
    while (first_) {
        CCView* node = first_;
        CView* view = node->view;
        if (parentFrame_) parentFrame_->onViewRemoved(view);
        if (attached_) view->removed(this);
        unlinkNode(node);
        delete node;
        if (withForget) view->forget();
        view->forget();
    }
    return true;
}

bool CViewContainer::isChild(CView* view) const {
    return view && findNode(view) != nullptr;
}

int32_t CViewContainer::getNbViews() const {
    int32_t count = 0;
    for (CCView* n = first_; n; n = n->next) ++count;
    return count;
}

CView* CViewContainer::getView(int32_t index) const {
    if (index < 0) return nullptr;
    for (CCView* n = first_; n; n = n->next, --index)
        if (index == 0) return n->view;
    return nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
    const CPoint local = toLocal(where);
    for (CCView* n = last_; n; n = n->previous) {
        CView* child = n->view;
        if (!child->isVisible() || !child->getViewSize().pointInside(local)) continue;
        if (deep && isContainer(child)) {
            CView* inner = static_cast<CViewContainer*>(child)->getViewAt(local, true);
            return inner ? inner : child;
        }
        return child;
    }
    return nullptr;
}

CViewContainer* CViewContainer::getContainerAt(const CPoint& where, bool deep) {
    const CPoint local = toLocal(where);
    for (CCView* n = last_; n; n = n->previous) {
        CView* child = n->view;
        if (!child->isVisible() || !child->getViewSize().pointInside(local) || !isContainer(child)) continue;
        auto* container = static_cast<CViewContainer*>(child);
        return deep ? container->getContainerAt(local, true) : container;
    }
    return this;
}

void CViewContainer::setBackgroundColor(const CColor& color) {
    backgroundColor_ = color;
    setDirty(true);
}

bool CViewContainer::advanceNextFocusView(CView* oldFocus, bool reverse) {
    CCView* start = nullptr;
    if (CCView* old = findNode(oldFocus))
        start = reverse ? old->previous : old->next;
    else
        start = reverse ? last_ : first_;
    for (CCView* n = start; n; n = reverse ? n->previous : n->next) {
        CView* child = n->view;
        if (!child->isVisible()) continue;
        if (isContainer(child) && static_cast<CViewContainer*>(child)->advanceNextFocusView(nullptr, reverse))
            return true;
        if (child->wantsFocus() && parentFrame_) {
            parentFrame_->setFocusView(child);
            return true;
        }
    }
    return false;
}

CRect CViewContainer::getVisibleSize(const CRect& childRect) const {
    CRect visible = getVisibleSize();
    visible.offset(-size_.left, -size_.top);
    CRect result = childRect;
    result.bound(visible);
    return result;
}

CView* CViewContainer::getCurrentView() const {
    if (!parentFrame_) return nullptr;
    CPoint where;
    parentFrame_->getCurrentMouseLocation(where);
    frameToLocal(where);
    return getViewAt(where + size_.getTopLeft(), false);
}

bool CViewContainer::checkUpdateRect(CView* view, const CRect& rect) {
    return view && view->isVisible() && view->checkUpdate(rect);
}

bool CViewContainer::hitTestSubViews(const CPoint& where, const CButtonState& buttons) {
    const CPoint local = toLocal(where);
    for (CCView* n = last_; n; n = n->previous) {
        CView* child = n->view;
        if (child->isVisible() && child->getMouseEnabled() && child->hitTest(local, buttons)) return true;
    }
    return false;
}

}  // namespace VSTGUI
