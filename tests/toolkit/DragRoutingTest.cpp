// Drags routed through a container to the child under the pointer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/vstgui/CDragContainer.h"
#include "editor/vstgui/CViewContainer.h"

using namespace VSTGUI;

namespace {

class NoItems : public CDragContainer {
  public:
    void* first(int32_t& size, int32_t& type) override { return next(size, type); }
    void* next(int32_t& size, int32_t& type) override {
        size = 0;
        type = kUnknown;
        return nullptr;
    }
    int32_t getType(int32_t) const override { return kUnknown; }
    int32_t getCount() const override { return 0; }
};

// Writes "name:event@x,y" for every drag event it receives.
class DropProbe : public CView {
  public:
    DropProbe(const CRect& size, std::string name, std::vector<std::string>* log, bool takes = false)
        : CView(size), name_(std::move(name)), log_(log), takes_(takes) {}
    bool onDrop(CDragContainer*, const CPoint& where) override {
        record("drop", where);
        return takes_;
    }
    void onDragEnter(CDragContainer*, const CPoint& where) override { record("enter", where); }
    void onDragLeave(CDragContainer*, const CPoint& where) override { record("leave", where); }
    void onDragMove(CDragContainer*, const CPoint& where) override { record("move", where); }

  private:
    void record(const char* event, const CPoint& where) {
        log_->push_back(name_ + ":" + event + "@" + std::to_string(static_cast<int>(where.x)) + "," +
                        std::to_string(static_cast<int>(where.y)));
    }
    std::string name_;
    std::vector<std::string>* log_;
    bool takes_;
};

struct Scene {
    Scene() : container(new CViewContainer(CRect(100, 100, 300, 200), nullptr)) {
        container->addView(new DropProbe(CRect(0, 0, 100, 100), "a", &log));
        container->addView(new DropProbe(CRect(100, 0, 200, 100), "b", &log, true));
    }
    ~Scene() {
        container->removeAll(true);  // the children's construction references go with them
        container->forget();
    }
    CViewContainer* container;
    std::vector<std::string> log;
    NoItems drag;
};

}  // namespace

TEST(DragRouting, EnterMoveAndLeaveFollowThePointerInLocalCoordinates) {
    Scene s;
    s.container->onDragEnter(&s.drag, CPoint(110, 120));
    s.container->onDragMove(&s.drag, CPoint(150, 130));
    s.container->onDragMove(&s.drag, CPoint(250, 130));
    s.container->onDragMove(&s.drag, CPoint(350, 130));  // outside every child
    s.container->onDragMove(&s.drag, CPoint(260, 140));
    s.container->onDragLeave(&s.drag, CPoint(260, 140));
    EXPECT_EQ(s.log,
              (std::vector<std::string>{"a:enter@10,20", "a:move@50,30", "a:leave@150,30", "b:enter@150,30",
                                        "b:leave@250,30", "b:enter@160,40", "b:leave@160,40"}));
}

TEST(DragRouting, DropGoesToTheViewUnderThePointerThenLeaves) {
    Scene s;
    s.container->onDragEnter(&s.drag, CPoint(110, 120));
    EXPECT_TRUE(s.container->onDrop(&s.drag, CPoint(260, 140)));
    EXPECT_EQ(s.log, (std::vector<std::string>{"a:enter@10,20", "a:leave@160,40", "b:drop@160,40",
                                               "b:leave@160,40"}));
    s.log.clear();
    EXPECT_FALSE(s.container->onDrop(&s.drag, CPoint(120, 120)));
    EXPECT_EQ(s.log, (std::vector<std::string>{"a:drop@20,20", "a:leave@20,20"}));
    s.log.clear();
    EXPECT_FALSE(s.container->onDrop(&s.drag, CPoint(5, 5)));
    EXPECT_TRUE(s.log.empty());
}

TEST(DragRouting, ARemovedChildNoLongerHearsTheDrag) {
    Scene s;
    s.container->onDragEnter(&s.drag, CPoint(110, 120));
    CView* a = s.container->getView(0);
    s.container->removeView(a, true);
    s.log.clear();
    s.container->onDragLeave(&s.drag, CPoint(110, 120));
    EXPECT_TRUE(s.log.empty());
}
