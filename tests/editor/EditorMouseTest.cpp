// Real pointer input (XTest) into the open editor, observed where the view hands it to the effect.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "EditorInstance.h"
#include "HostWindow.h"

using namespace editortest;

namespace {

constexpr unsigned int kLeft = 1;
constexpr unsigned int kMiddle = 2;
constexpr unsigned int kRight = 3;
constexpr unsigned int kExtra = 8;

class EditorMouse : public ::testing::Test {
  protected:
    void SetUp() override {
        instance.open(host.handle());
        ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > 0; }));
        // Two moves: the first only marks the view as hovered.
        host.movePointer(300, 300);
        instance.idle();
        host.movePointer(301, 300);
        ASSERT_TRUE(waitFor(MouseCall::kMove));
        calls().clear();
    }
    void TearDown() override { instance.close(); }

    static std::vector<MouseCall>& calls() { return EditorInstance::calls(); }

    // Idles until the view has made a call of the kind; that call, or a call of no kind.
    bool waitFor(MouseCall::Kind kind, size_t count = 1) {
        return instance.idleUntil([&] {
            size_t seen = 0;
            for (const MouseCall& call : calls())
                if (call.kind == kind) ++seen;
            return seen >= count;
        });
    }
    const MouseCall& last(MouseCall::Kind kind) {
        for (auto it = calls().rbegin(); it != calls().rend(); ++it)
            if (it->kind == kind) return *it;
        static MouseCall none{kind, 0, 0, -1, -1};
        return none;
    }
    size_t countOf(MouseCall::Kind kind) {
        size_t n = 0;
        for (const MouseCall& call : calls())
            if (call.kind == kind) ++n;
        return n;
    }

    HostWindow host;
    EditorInstance instance;
};

}  // namespace

TEST_F(EditorMouse, LeftPressWithShiftGivesFlagsNineAtThePointer) {
    host.movePointer(10, 20);
    host.key(XK_Shift_L, true);
    host.button(kLeft, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown));
    EXPECT_EQ(last(MouseCall::kDown).buttons, 2 | 16);
    EXPECT_EQ(last(MouseCall::kDown).mouseFlagsAfter, 9);
    EXPECT_EQ(instance.probe().mouseX, 10);
    EXPECT_EQ(instance.probe().mouseY, 20);
    host.button(kLeft, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp));
    EXPECT_EQ(last(MouseCall::kUp).buttons, 16);
    EXPECT_EQ(instance.probe().mouseFlags, 0);
    // A mouse event raises the refresh rate to 30.
    EXPECT_EQ(instance.probe().gfxRate, 30);
}

TEST_F(EditorMouse, RightPressWithControlAndAltGivesTwentyTwoMiddleSixtyFourExtraNothing) {
    host.key(XK_Control_L, true);
    host.key(XK_Alt_L, true);
    host.button(kRight, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown));
    EXPECT_EQ(last(MouseCall::kDown).buttons, 8 | 32 | 64);
    EXPECT_EQ(last(MouseCall::kDown).mouseFlagsAfter, 22);
    host.button(kRight, false);
    host.key(XK_Alt_L, false);
    host.key(XK_Control_L, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp));

    host.button(kMiddle, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown, 2));
    EXPECT_EQ(last(MouseCall::kDown).buttons, 4);
    EXPECT_EQ(last(MouseCall::kDown).mouseFlagsAfter, 64);
    host.button(kMiddle, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp, 2));

    host.button(kExtra, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown, 3));
    EXPECT_EQ(last(MouseCall::kDown).buttons, 256);
    EXPECT_EQ(last(MouseCall::kDown).mouseFlagsAfter, 0);
    host.button(kExtra, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp, 3));
}

TEST_F(EditorMouse, ReleasingOneButtonWhileAnotherIsHeldGivesFlagsZero) {
    host.button(kLeft, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown));
    host.button(kRight, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown, 2));
    EXPECT_EQ(last(MouseCall::kDown).buttons, 2 | 8);
    EXPECT_EQ(last(MouseCall::kDown).mouseFlagsAfter, 3);
    host.button(kRight, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp));
    // The release reports the buttons still held.
    EXPECT_EQ(last(MouseCall::kUp).buttons, 2);
    EXPECT_EQ(last(MouseCall::kUp).mouseFlagsAfter, 0);
    host.button(kLeft, false);
    instance.idle();
}

TEST_F(EditorMouse, MovesOutsideTheWindowDuringADragReachTheEffectNegative) {
    host.movePointer(50, 30);
    host.button(kLeft, true);
    ASSERT_TRUE(waitFor(MouseCall::kDown));
    // The host window sits 100 pixels right of the screen's edge.
    host.movePointer(-80, 30);
    ASSERT_TRUE(
        instance.idleUntil([&] { return countOf(MouseCall::kMove) > 0 && last(MouseCall::kMove).x < 0; }));
    EXPECT_EQ(last(MouseCall::kMove).x, -80);
    EXPECT_EQ(last(MouseCall::kMove).y, 30);
    EXPECT_EQ(last(MouseCall::kMove).buttons, 2);
    EXPECT_EQ(instance.probe().mouseX, -80);
    EXPECT_EQ(instance.probe().mouseFlags, 1);
    host.button(kLeft, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp));
    EXPECT_EQ(last(MouseCall::kUp).x, -80);
}

TEST_F(EditorMouse, FirstMoveAfterAReleaseDoesNotReachTheEffect) {
    host.movePointer(200, 200);
    host.button(kLeft, true);
    host.button(kLeft, false);
    ASSERT_TRUE(waitFor(MouseCall::kUp));
    calls().clear();
    host.movePointer(220, 200);
    instance.idle();
    EXPECT_EQ(countOf(MouseCall::kMove), 0u);
    host.movePointer(230, 205);
    ASSERT_TRUE(waitFor(MouseCall::kMove));
    EXPECT_EQ(last(MouseCall::kMove).x, 230);
    EXPECT_EQ(last(MouseCall::kMove).y, 205);
    EXPECT_EQ(last(MouseCall::kMove).buttons, 0);
}

TEST_F(EditorMouse, SecondPressOfADoubleClickCarriesTheMark) {
    host.movePointer(120, 80);
    host.click(kLeft, 2);
    ASSERT_TRUE(waitFor(MouseCall::kDown, 2));
    std::vector<MouseCall> downs;
    for (const MouseCall& call : calls())
        if (call.kind == MouseCall::kDown) downs.push_back(call);
    EXPECT_EQ(downs[0].buttons, 2);
    EXPECT_EQ(downs[1].buttons, 2 | 1024);
    // The mark is dropped on the way into the effect's flags.
    EXPECT_EQ(downs[1].mouseFlagsAfter, 1);
}

TEST_F(EditorMouse, WheelDoesNotReachTheEffect) {
    host.click(4);
    host.click(5);
    instance.idle();
    EXPECT_TRUE(calls().empty());
}
