// Root of the view tree. This is the platform-independent part: focus, modal view, mouse-over
// tracking, redraw and event entry points. The window itself is an IPlatformFrame.
#pragma once

#include "editor/vstgui/CViewContainer.h"

namespace VSTGUI {

class IPlatformFrame;
class VSTGUIEditorInterface;

class CFrame : public CViewContainer {
  public:
    // Builds the frame and its window inside parentWindow; defined by the platform window layer.
    CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor);
    // Builds the frame on a given window layer (null: a frame without window). The frame owns it.
    CFrame(const CRect& size, VSTGUIEditorInterface* editor, IPlatformFrame* platformFrame);

    // GUI thread (all operations below).
    ~CFrame() override;
    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void invalidRect(const CRect& rect) override;
    void invalid() override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    CPoint& frameToLocal(CPoint& point) const override { return point; }
    CPoint& localToFrame(CPoint& point) const override { return point; }
    bool isTypeOf(const char* className) const override;
    VSTGUIEditorInterface* getEditor() const override { return editor_; }

    virtual bool isOpen() const { return open_; }
    // Runs on every editor idle: turns dirty views into window invalidations.
    virtual void idle();
    virtual void doIdleStuff();
    virtual bool setSize(CCoord width, CCoord height);
    virtual bool getPosition(CPoint& where) const;
    virtual bool getSize(CRect& size) const;
    virtual bool setModalView(CView* view);
    virtual CView* getModalView() const { return modalView_; }
    virtual void beginEdit(int32_t index);
    virtual void endEdit(int32_t index);
    virtual bool getCurrentMouseLocation(CPoint& where) const;
    virtual CButtonState getCurrentMouseButtons() const;
    virtual void setCursor(int32_t type);
    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() const { return focusView_; }
    virtual void onViewRemoved(CView* view);
    virtual bool setDropActive(bool active);
    virtual bool isDropActive() const { return dropActive_; }
    virtual void setOpenFlag(bool open) { open_ = open; }
    virtual bool getOpenFlag() const { return open_; }
    // Marks dirty every child whose size overlaps the rectangle.
    virtual void invalidate(const CRect& rect);

    // A context for immediate drawing into the window; null without one. The caller releases it.
    CDrawContext* createDrawContext() const;
    IPlatformFrame* getPlatformFrame() const { return platformFrame_; }
    CView* getMouseOverView() const { return mouseOverView_; }

  protected:
    void clearMouseOverView(CPoint& where, const CButtonState& buttons);

    VSTGUIEditorInterface* editor_ = nullptr;
    IPlatformFrame* platformFrame_ = nullptr;
    CView* modalView_ = nullptr;
    CView* focusView_ = nullptr;
    CView* mouseOverView_ = nullptr;
    CDrawContext* frameContext_ = nullptr;
    bool firstDraw_ = true;
    bool open_ = true;
    bool dropActive_ = false;
    bool mouseTracking_ = false;
};

}  // namespace VSTGUI
