// Base of everything shown in the editor: size, flags, redraw requests, default event answers.
#pragma once

#include <cstdint>

#include "editor/vstgui/CBaseObject.h"
#include "editor/vstgui/CRect.h"
#include "editor/vstgui/ViewTypes.h"
#include "plugin/sdk/aeffect.h"

namespace VSTGUI {

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;
class VSTGUIEditorInterface;

class CView : public CBaseObject {
  public:
    explicit CView(const CRect& size);
    CView(const CView& other);
    CView& operator=(const CView&) = delete;

    // GUI thread (all operations below).
    ~CView() override;
    void forget() override;
    void remember() override;
    CMessageResult notify(CBaseObject* sender, const char* message) override;

    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(const CRect& updateRect) const;
    virtual bool isDirty() const { return dirty_; }
    virtual void setDirty(bool state = true) { dirty_ = state; }
    virtual void invalidRect(const CRect& rect);
    virtual void invalid();
    virtual void setVisible(bool state);

    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);

    virtual void setMouseEnabled(bool enable) { mouseEnabled_ = enable; }
    virtual bool getMouseEnabled() const { return mouseEnabled_; }
    virtual void setMouseableArea(const CRect& rect) { mouseableArea_ = rect; }
    virtual CRect& getMouseableArea(CRect& rect) const;
    virtual const CRect& getMouseableArea() const { return mouseableArea_; }

    virtual bool onDrop(CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDragContainer* drag, const CPoint& where);

    // Answers -1 when the key is not handled.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    // The mouse-sensitive area is left as it was.
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    virtual CRect& getViewSize(CRect& rect) const;
    virtual const CRect& getViewSize() const { return size_; }
    virtual CRect getVisibleSize() const;
    virtual void parentSizeChanged() {}
    virtual CPoint& frameToLocal(CPoint& point) const;
    virtual CPoint& localToFrame(CPoint& point) const;

    virtual void setAutosizeFlags(int32_t flags) { autosizeFlags_ = flags; }
    virtual int32_t getAutosizeFlags() const { return autosizeFlags_; }
    virtual void looseFocus() {}
    virtual void takeFocus() {}
    virtual bool wantsFocus() const { return wantsFocus_; }
    virtual void setWantsFocus(bool state) { wantsFocus_ = state; }

    virtual void setBackground(CBitmap* background);
    virtual CBitmap* getBackground() const { return background_; }
    virtual void setTransparency(bool state) { transparent_ = state; }
    virtual bool getTransparency() const { return transparent_; }

    // Both answer false when the call does not change the attachment.
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);

    virtual VSTGUIEditorInterface* getEditor() const;
    virtual bool isTypeOf(const char* className) const;
    virtual CView* newCopy() const { return new CView(*this); }
    // The pre-event-method mouse entry, reached when onMouseDown answers not-implemented.
    virtual void mouse(CDrawContext* context, CPoint& where, int32_t buttons);
    virtual void getMouseLocation(CDrawContext* context, CPoint& point);
    virtual void setParentView(CView* parent) { parentView_ = parent; }
    virtual void setParentFrame(CFrame* frame) { parentFrame_ = frame; }
    // Adds this view's top-left, then lets a container parent continue outward.
    virtual CPoint& localToFrameThroughParents(CPoint& point) const;

    bool isVisible() const { return visible_; }
    bool isAttached() const { return attached_; }
    CView* getParentView() const { return parentView_; }
    CFrame* getFrame() const { return parentFrame_; }

    // Attribute records: free-form data a view may carry; copied with the view, freed with it.
    bool setAttribute(int32_t id, int32_t size, const void* data);
    bool getAttributeSize(int32_t id, int32_t& size) const;
    bool getAttribute(int32_t id, int32_t size, void* data, int32_t& outSize) const;
    bool removeAttribute(int32_t id);

  protected:
    // True when the view is a container (it answers the container message).
    static bool isContainer(CView* view);

    CRect size_;
    CRect mouseableArea_;
    CFrame* parentFrame_ = nullptr;
    CView* parentView_ = nullptr;
    bool dirty_ = false;
    bool mouseEnabled_ = true;
    bool transparent_ = false;
    bool wantsFocus_ = false;
    bool attached_ = false;
    bool visible_ = true;
    int32_t autosizeFlags_ = 0;
    CBitmap* background_ = nullptr;

  private:
    struct Attribute;
    Attribute* findAttribute(int32_t id) const;
    void freeAttributes();

    Attribute* attributes_ = nullptr;
};

}  // namespace VSTGUI
