// The editor's window as a host sees it: placement, reopening, resources over many cycles, and
// hosts that hand over no window, a wrong one, or destroy theirs too early.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "EditorInstance.h"
#include "HostWindow.h"
#include "editor/vst/LumoEditor.h"
#include "editor/vstgui/CFrame.h"
#include "plugin/boundary/EditorFunctions.h"
#include "plugin/vst/Lumo.h"

using namespace editortest;

namespace {
XWindowAttributes attributesOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return attributes;
}
}  // namespace

TEST(EditorWindow, HostSeesEditorAndItsPanelRectangle) {
    EditorInstance instance;
    EXPECT_TRUE(instance.effect()->flags & effFlagsHasEditor);
    ERect* rect = instance.rect();
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 540);
    EXPECT_EQ(rect->right, 1130);
    // A second creation leaves the first editor in place.
    AEffEditor* first = instance.adapter()->getEditor();
    EXPECT_EQ(editorCreate(instance.adapter(), 10, 10), 0);
    EXPECT_EQ(instance.adapter()->getEditor(), first);
}

TEST(EditorWindow, OpensAChildWindowOfThePanelSizeInsideTheHostWindow) {
    HostWindow host;
    EditorInstance instance;
    ASSERT_TRUE(instance.open(host.handle()));
    instance.idle();
    const std::vector<Window> children = host.children();
    ASSERT_EQ(children.size(), 1u);
    const XWindowAttributes attributes = attributesOf(host.display(), children[0]);
    EXPECT_EQ(attributes.width, 1130);
    EXPECT_EQ(attributes.height, 540);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.map_state, IsViewable);
    // The rectangle is the same while open.
    EXPECT_EQ(instance.rect()->right, 1130);
    instance.close();
    EXPECT_TRUE(host.children().empty());
}

TEST(EditorWindow, CloseThenOpenGivesAFreshWindowAndCloseTwiceIsHarmless) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > 0; }));
    instance.close();
    instance.close();
    EXPECT_TRUE(host.children().empty());
    EXPECT_EQ(requestRedraw(instance.adapter()), 0);
    instance.open(host.handle());
    // X recycles ids of closed connections, so freshness shows as a new mapping: the new window is
    // exposed and painted without any refresh rate.
    const int paintsBefore = instance.probe().paints;
    ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > paintsBefore; }));
    EXPECT_EQ(requestRedraw(instance.adapter()), 1);
    const std::vector<Window> children = host.children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(attributesOf(host.display(), children[0]).map_state, IsViewable);
}

TEST(EditorWindow, SecondOpenWithoutCloseReplacesTheFirstWindow) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    instance.idle();
    const int descriptors = openFileDescriptors();
    instance.open(host.handle());
    instance.idle();
    EXPECT_EQ(host.children().size(), 1u);
    EXPECT_EQ(openFileDescriptors(), descriptors);
    instance.close();
    EXPECT_TRUE(host.children().empty());
}

TEST(EditorWindow, HundredOpenCloseCyclesLeakNoWindowsOrDescriptors) {
    HostWindow host;
    EditorInstance instance;
    instance.probe().gfxRate = 30;
    // One cycle first: libraries may set up lasting state on first use.
    instance.open(host.handle());
    instance.idle();
    instance.close();
    const int descriptors = openFileDescriptors();
    const int paints = instance.probe().paints;
    for (int cycle = 0; cycle < 100; ++cycle) {
        instance.open(host.handle());
        instance.idle();
        instance.idle();
        ASSERT_EQ(host.children().size(), 1u) << "cycle " << cycle;
        instance.close();
        ASSERT_TRUE(host.children().empty()) << "cycle " << cycle;
    }
    EXPECT_EQ(openFileDescriptors(), descriptors);
    // Each new window is exposed and painted at its first idle.
    EXPECT_GE(instance.probe().paints - paints, 100);
}

TEST(EditorWindow, MissingOrInvalidParentGivesAFrameWithoutWindow) {
    testsupport::ManualClock clock;
    HostWindow host;
    EditorInstance instance;
    const int descriptors = openFileDescriptors();
    for (void* parent : {static_cast<void*>(nullptr), reinterpret_cast<void*>(uintptr_t{0x7ffffff0})}) {
        EXPECT_TRUE(instance.open(parent));
        instance.probe().gfxRate = 30;
        // Refreshes fall due, with nothing to paint.
        instance.idleEvery(clock, 34, 3);
        EXPECT_NE(instance.probe().lastRefreshClock, 0);
        EXPECT_EQ(instance.probe().paints, 0);
        VstKeyCode key{'a', 0, 0};
        EXPECT_FALSE(instance.adapter()->getEditor()->onKeyDown(key));
        instance.close();
    }
    EXPECT_EQ(openFileDescriptors(), descriptors);
    EXPECT_TRUE(host.children().empty());
}

TEST(EditorWindow, HostDestroyingItsWindowFirstDoesNotHurt) {
    testsupport::ManualClock clock;
    EditorInstance instance;
    {
        HostWindow host;
        instance.open(host.handle());
        instance.probe().gfxRate = 30;
        instance.idleEvery(clock, 34, 3);
        host.destroy();
        instance.idleEvery(clock, 34, 3);
        auto* editor = static_cast<CLumoEditor*>(instance.adapter()->getEditor());
        ASSERT_NE(editor->getFrame(), nullptr);
        EXPECT_FALSE(editor->getFrame()->getOpenFlag());
    }
    const int paints = instance.probe().paints;
    instance.idleEvery(clock, 34, 3);
    EXPECT_EQ(instance.probe().paints, paints);
    instance.close();
}

TEST(EditorWindow, KeysAreReportedAsNotHandled) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'a', 0, nullptr, 0), 0);
    EXPECT_EQ(instance.dispatch(effEditKeyUp, 'a', 0, nullptr, 0), 0);
    // Tab finds no view that wants focus.
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, 2, nullptr, 0), 0);
    instance.close();
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'a', 0, nullptr, 0), 0);
}
