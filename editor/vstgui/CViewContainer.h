// A view holding an ordered list of child views: attachment, drawing, event dispatch.
#pragma once

#include "editor/vstgui/CColor.h"
#include "editor/vstgui/CView.h"

namespace VSTGUI {

class COffscreenContext;

class CViewContainer : public CView {
  public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    CViewContainer(const CViewContainer& other);

    // GUI thread (all operations below).
    ~CViewContainer() override;
    CMessageResult notify(CBaseObject* sender, const char* message) override;
    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void invalidRect(const CRect& rect) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool isDirty() const override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    bool onDrop(CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDragContainer* drag, const CPoint& where) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    CPoint& frameToLocal(CPoint& point) const override;
    CPoint& localToFrame(CPoint& point) const override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    bool isTypeOf(const char* className) const override;
    CView* newCopy() const override { return new CViewContainer(*this); }

    // Children. Each child holds one reference taken by the container.
    virtual bool addView(CView* view);
    virtual bool addView(CView* view, const CRect& mouseableArea, bool mouseEnabled = true);
    virtual bool addView(CView* view, CView* before);
    virtual bool removeView(CView* view, bool withForget = false);
    virtual bool removeAll(bool withForget = true);
    virtual bool isChild(CView* view) const;
    virtual int32_t getNbViews() const;
    virtual CView* getView(int32_t index) const;
    virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
    virtual CViewContainer* getContainerAt(const CPoint& where, bool deep = true);
    virtual void setBackgroundColor(const CColor& color);
    virtual CColor getBackgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundOffset(const CPoint& offset) { backgroundOffset_ = offset; }
    virtual const CPoint& getBackgroundOffset() const { return backgroundOffset_; }
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& updateRect);
    virtual void setDrawInOffscreen(bool state) { drawInOffscreen_ = state; }
    virtual bool advanceNextFocusView(CView* oldFocus, bool reverse = false);
    virtual bool invalidateDirtyViews();
    virtual CRect getVisibleSize(const CRect& childRect) const;
    virtual CView* getCurrentView() const;
    virtual bool checkUpdateRect(CView* view, const CRect& rect);
    virtual bool hitTestSubViews(const CPoint& where, const CButtonState& buttons);

    using CView::getVisibleSize;

  protected:
    struct CCView {
        CView* view;
        CCView* next;
        CCView* previous;
    };

    CCView* findNode(CView* view) const;
    void appendNode(CCView* node);
    void unlinkNode(CCView* node);
    void adopt(CView* view);
    CPoint toLocal(const CPoint& where) const { return where - size_.getTopLeft(); }
    CMouseEventResult pressChild(CView* child, CPoint& where, const CButtonState& buttons);

    CCView* first_ = nullptr;
    CCView* last_ = nullptr;
    CColor backgroundColor_ = kBlackCColor;
    CPoint backgroundOffset_;
    bool drawInOffscreen_ = false;
    COffscreenContext* offscreen_ = nullptr;
    CView* mouseDownView_ = nullptr;
    CView* dropView_ = nullptr;  // the child that last received drag-enter or drag-move
};

}  // namespace VSTGUI
