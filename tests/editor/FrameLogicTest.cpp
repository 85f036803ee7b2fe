// The frame's platform-independent rules, on a stand-in window layer: hover tracking and leave
// requests, what a press resets, keys through focus and modal views, and Tab.
#include <gtest/gtest.h>

#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/IPlatformFrame.h"

using namespace VSTGUI;

namespace {

struct StubWindow : IPlatformFrame {
    explicit StubWindow(int* leaveRequests) : leaveRequests_(leaveRequests) {}
    void invalidRect(const CRect&) override {}
    CDrawContext* createDrawContext() override { return nullptr; }
    bool getCurrentMouseLocation(CPoint&) override { return false; }
    int32_t getCurrentMouseButtons() override { return 0; }
    void setMouseCursor(int32_t) override {}
    void trackMouseLeave() override { ++*leaveRequests_; }
    bool setDropActive(bool) override { return false; }
    bool setSize(CCoord, CCoord) override { return false; }
    bool getPosition(CPoint&) override { return false; }
    bool getSize(CRect&) override { return false; }
    int* leaveRequests_;
};

class EventView : public CView {
  public:
    explicit EventView(const CRect& size, int32_t keyAnswer = -1) : CView(size), keyAnswer_(keyAnswer) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override {
        ++presses;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override {
        ++moves;
        lastMove = where;
        lastButtons = buttons;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override { return kMouseEventHandled; }
    CMouseEventResult onMouseEntered(CPoint&, const CButtonState&) override {
        ++enters;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override {
        ++exits;
        return kMouseEventHandled;
    }
    // Tab is left to the frame.
    int32_t onKeyDown(VstKeyCode& key) override {
        ++keys;
        return key.virt == 2 ? -1 : keyAnswer_;
    }
    void looseFocus() override { ++focusLosses; }

    int presses = 0, moves = 0, enters = 0, exits = 0, keys = 0, focusLosses = 0;
    CPoint lastMove;
    CButtonState lastButtons = -1;

  private:
    int32_t keyAnswer_;
};

struct FrameLogic : ::testing::Test {
    int leaveRequests = 0;
    CFrame* frame = new CFrame(CRect(0, 0, 400, 300), nullptr, new StubWindow(&leaveRequests));
    ~FrameLogic() override { frame->forget(); }

    CMouseEventResult move(double x, double y, CButtonState buttons = 0) {
        CPoint where(x, y);
        return frame->onMouseMoved(where, buttons);
    }
    void press(double x, double y, CButtonState buttons = kLButton) {
        CPoint where(x, y);
        frame->onMouseDown(where, buttons);
    }
    void release(double x, double y) {
        CPoint where(x, y);
        frame->onMouseUp(where, 0);
    }
};

}  // namespace

TEST_F(FrameLogic, EnteringMoveOnlyHoversAndLaterMovesCarryNoButtons) {
    auto* view = new EventView(CRect(100, 100, 200, 200));
    frame->addView(view);
    EXPECT_EQ(move(150, 150, kLButton), kMouseEventHandled);
    EXPECT_EQ(view->enters, 1);
    EXPECT_EQ(view->moves, 0);
    move(160, 170, kLButton);
    EXPECT_EQ(view->moves, 1);
    // Views take positions in their parent's coordinates, like their size.
    EXPECT_EQ(view->lastMove, CPoint(160, 170));
    EXPECT_EQ(view->lastButtons, 0);
    // Off the view: it is told it was left.
    move(10, 10);
    EXPECT_EQ(view->exits, 1);
    EXPECT_EQ(frame->getMouseOverView(), nullptr);
}

TEST_F(FrameLogic, PressResetsHoverSoTheFirstMoveAfterTheReleaseOnlyEntersAgain) {
    auto* view = new EventView(CRect(0, 0, 400, 300));
    frame->addView(view);
    move(10, 10);
    move(11, 10);
    ASSERT_EQ(view->moves, 1);
    press(12, 10);
    EXPECT_EQ(view->exits, 1);
    // While held, moves go to the view with the buttons, even outside.
    move(-5, 10, kLButton);
    EXPECT_EQ(view->moves, 2);
    EXPECT_EQ(view->lastButtons, kLButton);
    EXPECT_EQ(view->lastMove, CPoint(-5, 10));
    release(-5, 10);
    move(20, 20);
    EXPECT_EQ(view->moves, 2);
    EXPECT_EQ(view->enters, 2);
    move(21, 20);
    EXPECT_EQ(view->moves, 3);
}

TEST_F(FrameLogic, LeaveNotificationIsRequestedOncePerStayInTheWindow) {
    frame->addView(new EventView(CRect(0, 0, 400, 300)));
    move(10, 10);
    move(11, 10);
    move(12, 10);
    EXPECT_EQ(leaveRequests, 1);
    CPoint outside(-1, -1);
    EXPECT_EQ(frame->onMouseExited(outside, 0), kMouseEventHandled);
    EXPECT_EQ(frame->getMouseOverView(), nullptr);
    move(10, 10);
    EXPECT_EQ(leaveRequests, 2);
}

TEST_F(FrameLogic, KeysGoToTheFocusViewThenTheModalViewAndTabMovesTheFocus) {
    auto* first = new EventView(CRect(0, 0, 10, 10));
    auto* second = new EventView(CRect(10, 0, 20, 10), 5);
    first->setWantsFocus(true);
    second->setWantsFocus(true);
    frame->addView(first);
    frame->addView(second);
    VstKeyCode letter{'a', 0, 0};
    EXPECT_EQ(frame->onKeyDown(letter), -1);
    // Without focus nobody is asked.
    EXPECT_EQ(first->keys + second->keys, 0);

    VstKeyCode tab{0, 2, 0};
    EXPECT_EQ(frame->onKeyDown(tab), 1);
    EXPECT_EQ(frame->getFocusView(), first);
    EXPECT_EQ(frame->onKeyDown(tab), 1);
    EXPECT_EQ(frame->getFocusView(), second);
    EXPECT_EQ(first->focusLosses, 1);
    EXPECT_EQ(frame->onKeyDown(letter), 5);
    VstKeyCode shiftTab{0, 2, 1};
    EXPECT_EQ(frame->onKeyDown(shiftTab), 1);
    EXPECT_EQ(frame->getFocusView(), first);
    // A press takes the focus away.
    press(100, 100);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameLogic, TabWithoutFocusableViewsIsNotHandled) {
    frame->addView(new EventView(CRect(0, 0, 10, 10)));
    VstKeyCode tab{0, 2, 0};
    EXPECT_EQ(frame->onKeyDown(tab), -1);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameLogic, ModalViewTakesPressesAndKeysAndIsRefusedWhenOneIsSet) {
    auto* below = new EventView(CRect(0, 0, 400, 300));
    frame->addView(below);
    auto* modal = new EventView(CRect(0, 0, 50, 50), 7);
    auto* other = new EventView(CRect(0, 0, 50, 50));
    EXPECT_FALSE(frame->setModalView(below));
    ASSERT_TRUE(frame->setModalView(modal));
    EXPECT_FALSE(frame->setModalView(other));
    press(200, 200);
    EXPECT_EQ(modal->presses, 1);
    EXPECT_EQ(below->presses, 0);
    VstKeyCode letter{'a', 0, 0};
    EXPECT_EQ(frame->onKeyDown(letter), 7);
    EXPECT_TRUE(frame->setModalView(nullptr));
    EXPECT_FALSE(frame->isChild(modal));
    press(200, 200);
    EXPECT_EQ(below->presses, 1);
    // Removed without release: the creators still hold them.
    modal->forget();
    other->forget();
}

TEST_F(FrameLogic, RemovedViewIsNoLongerHoveredOrFocused) {
    auto* view = new EventView(CRect(0, 0, 400, 300));
    view->setWantsFocus(true);
    frame->addView(view);
    move(10, 10);
    VstKeyCode tab{0, 2, 0};
    frame->onKeyDown(tab);
    ASSERT_EQ(frame->getMouseOverView(), view);
    ASSERT_EQ(frame->getFocusView(), view);
    frame->removeView(view, true);
    EXPECT_EQ(frame->getMouseOverView(), nullptr);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}
