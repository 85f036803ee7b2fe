#include "editor/vstgui/CView.h"

#include <cstring>
#include <vector>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/ViewMessages.h"

namespace VSTGUI {

struct CView::Attribute {
    int32_t id;
    std::vector<unsigned char> data;
    Attribute* next;
};

CView::CView(const CRect& size) : size_(size), mouseableArea_(size) {}

// A copy is detached and takes its own reference on the background image.
CView::CView(const CView& other)
    : CBaseObject(other),
      size_(other.size_),
      mouseableArea_(other.mouseableArea_),
      mouseEnabled_(other.mouseEnabled_),
      transparent_(other.transparent_),
      wantsFocus_(other.wantsFocus_),
      visible_(other.visible_),
      autosizeFlags_(other.autosizeFlags_),
      background_(other.background_) {
    if (background_) background_->remember();
    for (Attribute* a = other.attributes_; a; a = a->next)
        setAttribute(a->id, static_cast<int32_t>(a->data.size()), a->data.data());
}

CView::~CView() {
    if (background_) background_->forget();
    freeAttributes();
}

void CView::forget() {
    CBaseObject::forget();
}
void CView::remember() {
    CBaseObject::remember();
}
CMessageResult CView::notify(CBaseObject*, const char*) {
    return kMessageUnknown;
}

void CView::draw(CDrawContext* context) {
    if (background_ && context) {
        if (transparent_)
            background_->drawTransparent(context, size_, CPoint());
        else
            background_->draw(context, size_, CPoint());
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&) {
    draw(context);
}

bool CView::checkUpdate(const CRect& updateRect) const {
    return updateRect.rectOverlap(size_);
}

void CView::invalidRect(const CRect& rect) {
    if (!attached_ || !visible_) return;
    if (parentView_)
        parentView_->invalidRect(rect);
    else if (parentFrame_ && static_cast<const CView*>(parentFrame_) != this)
        parentFrame_->invalidRect(rect);
}

void CView::invalid() {
    setDirty(false);
    invalidRect(size_);
}

void CView::setVisible(bool state) {
    if (visible_ == state) return;
    visible_ = state;
    setDirty(true);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}

bool CView::hitTest(const CPoint& where, const CButtonState&) {
    return mouseableArea_.pointInside(where);
}

bool CView::onWheel(const CPoint&, const float&, const CButtonState&) {
    return false;
}

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons) {
    // A horizontal wheel reaches views that only know one axis with its direction reversed.
    const float d = axis == kMouseWheelAxisX ? -distance : distance;
    return onWheel(where, d, buttons);
}

CRect& CView::getMouseableArea(CRect& rect) const {
    rect = mouseableArea_;
    return rect;
}

bool CView::onDrop(CDragContainer*, const CPoint&) {
    return false;
}
void CView::onDragEnter(CDragContainer*, const CPoint&) {}
void CView::onDragLeave(CDragContainer*, const CPoint&) {}
void CView::onDragMove(CDragContainer*, const CPoint&) {}

int32_t CView::onKeyDown(VstKeyCode&) {
    return -1;
}
int32_t CView::onKeyUp(VstKeyCode&) {
    return -1;
}

void CView::setViewSize(const CRect& rect, bool invalidate) {
    size_ = rect;
    if (invalidate) setDirty(true);
}

CRect& CView::getViewSize(CRect& rect) const {
    rect = size_;
    return rect;
}

CRect CView::getVisibleSize() const {
    CRect visible = size_;
    if (parentView_) {
        CRect parentArea = parentView_->getVisibleSize();
        const CRect& p = parentView_->getViewSize();
        parentArea.offset(-p.left, -p.top);
        visible.bound(parentArea);
    }
    return visible;
}

CPoint& CView::frameToLocal(CPoint& point) const {
    if (parentView_ && isContainer(parentView_)) return parentView_->frameToLocal(point);
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const {
    if (parentView_ && isContainer(parentView_)) return parentView_->localToFrame(point);
    return point;
}

void CView::setBackground(CBitmap* background) {
    if (background) background->remember();
    if (background_) background_->forget();
    background_ = background;
    setDirty(true);
}

bool CView::removed(CView*) {
    if (!attached_) return false;
    parentView_ = nullptr;
    parentFrame_ = nullptr;
    attached_ = false;
    return true;
}

bool CView::attached(CView* parent) {
    if (attached_) return false;
    parentView_ = parent;
    parentFrame_ = parent ? parent->getFrame() : nullptr;
    attached_ = true;
    return true;
}

VSTGUIEditorInterface* CView::getEditor() const {
    return parentFrame_ ? parentFrame_->getEditor() : nullptr;
}

bool CView::isTypeOf(const char* className) const {
    return className && std::strcmp(className, "CView") == 0;
}

void CView::mouse(CDrawContext*, CPoint&, int32_t) {}

void CView::getMouseLocation(CDrawContext* context, CPoint& point) {
    if (context) context->getMouseLocation(point);
    frameToLocal(point);
}

CPoint& CView::localToFrameThroughParents(CPoint& point) const {
    point.offset(size_.left, size_.top);
    if (parentView_ && isContainer(parentView_)) return parentView_->localToFrameThroughParents(point);
    return point;
}

bool CView::isContainer(CView* view) {
    return view && view->notify(nullptr, kMsgCheckIfViewContainer) == kMessageNotified;
}

CView::Attribute* CView::findAttribute(int32_t id) const {
    for (Attribute* a = attributes_; a; a = a->next)
        if (a->id == id) return a;
    return nullptr;
}

bool CView::setAttribute(int32_t id, int32_t size, const void* data) {
    if (size < 0 || (size > 0 && !data)) return false;
    Attribute* a = findAttribute(id);
    if (!a) {
        a = new Attribute{id, {}, attributes_};
        attributes_ = a;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    a->data.assign(bytes, bytes + size);
    return true;
}

bool CView::getAttributeSize(int32_t id, int32_t& size) const {
    const Attribute* a = findAttribute(id);
    if (!a) return false;
    size = static_cast<int32_t>(a->data.size());
    return true;
}

bool CView::getAttribute(int32_t id, int32_t size, void* data, int32_t& outSize) const {
    const Attribute* a = findAttribute(id);
    if (!a || !data || size < static_cast<int32_t>(a->data.size())) return false;
    if (!a->data.empty()) std::memcpy(data, a->data.data(), a->data.size());
    outSize = static_cast<int32_t>(a->data.size());
    return true;
}

bool CView::removeAttribute(int32_t id) {
    for (Attribute** link = &attributes_; *link; link = &(*link)->next) {
        if ((*link)->id == id) {
            Attribute* doomed = *link;
            *link = doomed->next;
            delete doomed;
            return true;
        }
    }
    return false;
}

void CView::freeAttributes() {
    while (attributes_) {
        Attribute* next = attributes_->next;
        delete attributes_;
        attributes_ = next;
    }
}

}  // namespace VSTGUI
