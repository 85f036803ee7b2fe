#include <gtest/gtest.h>

#include <vector>

#include "editor/vstgui/CFrame.h"
#include "editor/vstgui/IPlatformFrame.h"

using namespace VSTGUI;

namespace {

// A window layer that records what reaches the window.
class RecordingWindow : public IPlatformFrame {
  public:
    explicit RecordingWindow(std::vector<CRect>* log) : log_(log) {}
    void invalidRect(const CRect& rect) override { log_->push_back(rect); }
    CDrawContext* createDrawContext() override { return nullptr; }
    bool getCurrentMouseLocation(CPoint&) override { return false; }
    int32_t getCurrentMouseButtons() override { return 0; }
    void setMouseCursor(int32_t) override {}
    void trackMouseLeave() override {}
    bool setDropActive(bool) override { return true; }
    bool setSize(CCoord, CCoord) override { return true; }
    bool getPosition(CPoint&) override { return false; }
    bool getSize(CRect&) override { return false; }

  private:
    std::vector<CRect>* log_;
};

// A view that records the events it receives and answers as told.
class ProbeView : public CView {
  public:
    ProbeView(const CRect& size, CMouseEventResult answer = kMouseEventHandled, bool* destroyed = nullptr)
        : CView(size), answer_(answer), destroyed_(destroyed) {}
    ~ProbeView() override {
        if (destroyed_) *destroyed_ = true;
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override {
        ++presses;
        lastPoint = where;
        return answer_;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override {
        ++moves;
        lastPoint = where;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override {
        ++releases;
        lastPoint = where;
        return kMouseEventHandled;
    }
    void mouse(CDrawContext*, CPoint& where, int32_t) override {
        ++oldStyleCalls;
        lastPoint = where;
    }
    int presses = 0, moves = 0, releases = 0, oldStyleCalls = 0;
    CPoint lastPoint;

  private:
    CMouseEventResult answer_;
    bool* destroyed_;
};

struct FrameFixture : ::testing::Test {
    std::vector<CRect> invalidations;
    CFrame* frame = new CFrame(CRect(0, 0, 1130, 540), nullptr, new RecordingWindow(&invalidations));
    ~FrameFixture() override { frame->forget(); }
};

}  // namespace

TEST(BaseObject, CountStartsAtOneAndForgetAtZeroDestroys) {
    bool destroyed = false;
    auto* view = new ProbeView(CRect(0, 0, 10, 10), kMouseEventHandled, &destroyed);
    EXPECT_EQ(view->getNbReference(), 1);
    view->remember();
    view->forget();
    EXPECT_FALSE(destroyed);
    view->forget();
    EXPECT_TRUE(destroyed);
}

TEST_F(FrameFixture, AddingTheSameViewTwiceFailsAndNullIsRefused) {
    auto* view = new ProbeView(CRect(0, 0, 10, 10));
    EXPECT_TRUE(frame->addView(view));
    EXPECT_FALSE(frame->addView(view));
    EXPECT_FALSE(frame->addView(nullptr));
    EXPECT_EQ(frame->getNbViews(), 1);
    EXPECT_EQ(view->getNbReference(), 2);  // the creator's, handed over to the frame, and the frame's
}

TEST(ViewContainer, ViewAddedTwiceToADetachedContainerIsListedOnce) {
    auto* container = new CViewContainer(CRect(0, 0, 100, 100), nullptr);
    auto* view = new ProbeView(CRect(0, 0, 10, 10));
    EXPECT_TRUE(container->addView(view));
    EXPECT_FALSE(view->isAttached());
    EXPECT_FALSE(container->addView(view));
    EXPECT_EQ(container->getNbViews(), 1);
    container->forget();
    EXPECT_EQ(view->getNbReference(), 1);
    view->forget();
}

TEST_F(FrameFixture, ContainerAddedToFrameAttachesItsChildren) {
    auto* container = new CViewContainer(CRect(100, 100, 200, 200), nullptr);
    auto* child = new ProbeView(CRect(10, 10, 20, 20));
    container->addView(child);
    EXPECT_FALSE(child->isAttached());
    frame->addView(container);
    EXPECT_TRUE(child->isAttached());
    EXPECT_EQ(child->getFrame(), frame);
    // The container's creator handed its reference over; the child's creator kept one.
    frame->removeAll(true);
    EXPECT_FALSE(child->isAttached());
    EXPECT_EQ(child->getNbReference(), 1);
    child->forget();
}

TEST_F(FrameFixture, LastAddedOfTwoOverlappingViewsGetsThePressAndTheFollowingEvents) {
    auto* below = new ProbeView(CRect(0, 0, 100, 100));
    auto* above = new ProbeView(CRect(50, 50, 150, 150));
    frame->addView(below);
    frame->addView(above);
    CPoint where(60, 70);
    EXPECT_EQ(frame->onMouseDown(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(above->presses, 1);
    EXPECT_EQ(below->presses, 0);
    CPoint move(300, 300);  // outside every view: the holder still gets it
    EXPECT_EQ(frame->onMouseMoved(move, kLButton), kMouseEventHandled);
    EXPECT_EQ(above->moves, 1);
    CPoint up(61, 71);
    EXPECT_EQ(frame->onMouseUp(up, 0), kMouseEventHandled);
    EXPECT_EQ(above->releases, 1);
    EXPECT_EQ(frame->onMouseUp(up, 0), kMouseEventNotHandled);
    frame->removeAll(true);
}

TEST_F(FrameFixture, PositionsReachChildrenInTheirContainersCoordinates) {
    auto* container = new CViewContainer(CRect(100, 200, 300, 400), nullptr);
    auto* child = new ProbeView(CRect(10, 20, 50, 60));
    container->addView(child);
    child->forget();
    frame->addView(container);
    CPoint where(115, 225);
    EXPECT_EQ(frame->onMouseDown(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(child->lastPoint, CPoint(15, 25));
    frame->removeAll(true);
}

TEST_F(FrameFixture, NotImplementedPressReachesTheOldStyleHandlerAndIsReportedAsSuch) {
    auto* view = new ProbeView(CRect(0, 0, 100, 100), kMouseEventNotImplemented);
    frame->addView(view);
    CPoint where(10, 10);
    EXPECT_EQ(frame->onMouseDown(where, kLButton), kMouseEventNotImplemented);
    EXPECT_EQ(view->presses, 1);
    EXPECT_EQ(view->oldStyleCalls, 1);
    // Not holding the mouse: a move is answered not handled by the container.
    CPoint move(20, 20);
    EXPECT_EQ(static_cast<CViewContainer*>(frame)->CViewContainer::onMouseMoved(move, kLButton),
              kMouseEventNotHandled);
    EXPECT_EQ(view->moves, 0);
    frame->removeAll(true);
}

TEST_F(FrameFixture, PressOutsideEveryChildOrOnAnInvisibleOneIsNotHandled) {
    auto* view = new ProbeView(CRect(0, 0, 100, 100));
    frame->addView(view);
    CPoint outside(500, 500);
    EXPECT_EQ(frame->onMouseDown(outside, kLButton), kMouseEventNotHandled);
    view->setVisible(false);
    CPoint inside(10, 10);
    EXPECT_EQ(frame->onMouseDown(inside, kLButton), kMouseEventNotHandled);
    EXPECT_EQ(view->presses, 0);
    frame->removeAll(true);
}

TEST_F(FrameFixture, InvalidatingAnInvisibleOrDetachedViewReachesNoWindow) {
    auto* detached = new ProbeView(CRect(0, 0, 10, 10));
    detached->invalid();
    EXPECT_TRUE(invalidations.empty());

    auto* container = new CViewContainer(CRect(0, 0, 100, 100), nullptr);
    auto* inDetachedContainer = new ProbeView(CRect(0, 0, 10, 10));
    container->addView(inDetachedContainer);
    inDetachedContainer->invalid();
    EXPECT_TRUE(invalidations.empty());

    frame->addView(detached);
    invalidations.clear();  // adding invalidates once
    detached->setVisible(false);
    detached->invalid();
    EXPECT_TRUE(invalidations.empty());
    detached->setVisible(true);
    detached->invalid();
    ASSERT_EQ(invalidations.size(), 1u);
    EXPECT_EQ(invalidations[0], CRect(0, 0, 10, 10));

    inDetachedContainer->forget();
    container->forget();
    frame->removeAll(true);
}

TEST_F(FrameFixture, NestedInvalidationIsMovedAndClippedByEachContainer) {
    auto* container = new CViewContainer(CRect(100, 100, 200, 200), nullptr);
    auto* child = new ProbeView(CRect(90, 90, 130, 130));  // sticks out of its container
    container->addView(child);
    child->forget();
    frame->addView(container);
    invalidations.clear();
    child->invalid();
    ASSERT_EQ(invalidations.size(), 1u);
    EXPECT_EQ(invalidations[0], CRect(190, 190, 200, 200));
    frame->removeAll(true);
}

TEST_F(FrameFixture, IdleTurnsDirtyViewsIntoInvalidations) {
    auto* container = new CViewContainer(CRect(100, 100, 200, 200), nullptr);
    auto* child = new ProbeView(CRect(10, 10, 20, 20));
    container->addView(child);
    child->forget();
    frame->addView(container);
    invalidations.clear();
    child->setDirty(true);
    frame->idle();
    ASSERT_EQ(invalidations.size(), 1u);
    EXPECT_EQ(invalidations[0], CRect(110, 110, 120, 120));
    EXPECT_FALSE(child->isDirty());
    invalidations.clear();
    frame->idle();
    EXPECT_TRUE(invalidations.empty());
    frame->removeAll(true);
}

TEST_F(FrameFixture, RemoveAllWithReleaseDestroysAViewHandedOver) {
    bool destroyed = false;
    frame->addView(new ProbeView(CRect(0, 0, 10, 10), kMouseEventHandled, &destroyed));
    frame->removeAll(true);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(frame->getNbViews(), 0);
}

TEST_F(FrameFixture, RemoveWithoutReleaseLeavesTheCreatorsReference) {
    bool destroyed = false;
    auto* view = new ProbeView(CRect(0, 0, 10, 10), kMouseEventHandled, &destroyed);
    frame->addView(view);
    EXPECT_TRUE(frame->removeView(view, false));
    EXPECT_FALSE(destroyed);
    EXPECT_FALSE(view->isAttached());
    EXPECT_EQ(view->getNbReference(), 1);
    EXPECT_FALSE(frame->removeView(view, false));
    view->forget();
    EXPECT_TRUE(destroyed);
}

TEST_F(FrameFixture, RemovingTheViewHoldingTheMouseStopsDeliveringToIt) {
    auto* view = new ProbeView(CRect(0, 0, 100, 100));
    frame->addView(view);
    CPoint where(10, 10);
    frame->onMouseDown(where, kLButton);
    frame->removeView(view, false);
    CPoint up(10, 10);
    EXPECT_EQ(frame->onMouseUp(up, 0), kMouseEventNotHandled);
    EXPECT_EQ(view->releases, 0);
    view->forget();
}

TEST_F(FrameFixture, WheelAndKeysFollowTheDispatchRules) {
    struct WheelView : CView {
        using CView::CView;
        bool onWheel(const CPoint&, const float& d, const CButtonState&) override {
            distance = d;
            return true;
        }
        int32_t onKeyDown(VstKeyCode&) override { return 7; }
        float distance = 0;
    };
    auto* view = new WheelView(CRect(0, 0, 100, 100));
    frame->addView(view);
    EXPECT_TRUE(frame->onWheel(CPoint(10, 10), kMouseWheelAxisX, 2.f, 0));
    EXPECT_EQ(view->distance, -2.f);  // horizontal reaches a one-axis view reversed
    EXPECT_TRUE(frame->onWheel(CPoint(10, 10), 3.f, 0));
    EXPECT_EQ(view->distance, 3.f);
    EXPECT_FALSE(frame->onWheel(CPoint(500, 500), 1.f, 0));
    // The frame offers keys to its focus view only, and there is none.
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(frame->onKeyDown(key), -1);
    EXPECT_EQ(frame->CViewContainer::onKeyDown(key), 7);
    frame->removeAll(true);
}

TEST(View, EdgesTouchingCountAsOverlapAndHitTestIncludesEdges) {
    CView view(CRect(10, 10, 20, 20));
    EXPECT_TRUE(view.checkUpdate(CRect(20, 20, 30, 30)));
    EXPECT_FALSE(view.checkUpdate(CRect(21, 10, 30, 20)));
    EXPECT_TRUE(view.hitTest(CPoint(20, 20), 0));
    EXPECT_FALSE(view.hitTest(CPoint(20.5, 20), 0));
    view.setViewSize(CRect(0, 0, 5, 5));
    EXPECT_TRUE(view.hitTest(CPoint(20, 20), 0));  // the mouse-sensitive area stays
}

TEST(View, AttributesAreStoredCopiedAndRemoved) {
    CView view(CRect(0, 0, 1, 1));
    const int value = 42;
    EXPECT_TRUE(view.setAttribute(1, sizeof value, &value));
    CView* copy = view.newCopy();
    int out = 0;
    int32_t outSize = 0;
    EXPECT_TRUE(copy->getAttribute(1, sizeof out, &out, outSize));
    EXPECT_EQ(out, 42);
    EXPECT_FALSE(view.getAttribute(1, 1, &out, outSize));  // buffer too small
    EXPECT_TRUE(view.removeAttribute(1));
    EXPECT_FALSE(view.getAttributeSize(1, outSize));
    EXPECT_FALSE(view.setAttribute(2, -1, &value));
    copy->forget();
}
