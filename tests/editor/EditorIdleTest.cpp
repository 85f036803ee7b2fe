// The editor's own idle paths: the throttled idle of long GUI operations and immediate redraws.
#include <gtest/gtest.h>

#include "EditorInstance.h"
#include "HostWindow.h"
#include "editor/vst/LumoEditor.h"
#include "editor/vstgui/CFrame.h"
#include "plugin/vst/Lumo.h"

using namespace editortest;

namespace {
CLumoEditor* editorOf(EditorInstance& instance) {
    return static_cast<CLumoEditor*>(instance.adapter()->getEditor());
}
}  // namespace

// On the test's clock, from readings where a tick count counted from boot turns negative or wraps.
TEST(EditorIdle, BusyIdleRunsAtMostEveryHundredMilliseconds) {
    for (const long long start : {1000LL, 0x7FFFFFD0LL, 0xFFFFFFD0LL}) {
        SCOPED_TRACE(start);
        testsupport::ManualClock clock(start);
        HostWindow host;
        EditorInstance instance;
        instance.open(host.handle());
        CLumoEditor* editor = editorOf(instance);
        EditorInstance::hostRequests().clear();
        auto requests = [] { return EditorInstance::countHostRequests(audioMasterIdle); };
        // The first call after construction is due at once: a full run, next due 100 ms on.
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 1);
        // Less than 46 ms later it only sleeps 4 ms; from 46 ms on it sleeps, then runs, and counts
        // the next 100 ms from after its sleep. The frame reaches it the same way.
        clock.advance(45);
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 1);
        clock.advance(1);
        editor->getFrame()->doIdleStuff();
        EXPECT_EQ(requests(), 2);
        clock.advance(49);
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 2);
        clock.advance(1);
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 3);
        // 100 ms or more after that run's time (its call plus the sleep) it runs at once, without
        // the 4 ms: the next one is due 100 ms after this call.
        clock.advance(104);
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 4);
        clock.advance(45);
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 4);
        clock.advance(1);
        editor->idleWhileBusy();
        EXPECT_EQ(requests(), 5);
        instance.close();
    }
}

TEST(EditorIdle, DrawRedrawsAtOnceInsideANormalisedRectangle) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > 0; }));
    const int paints = instance.probe().paints;
    ERect inverted{100, 200, 10, 20};
    editorOf(instance)->draw(&inverted);
    editorOf(instance)->draw(nullptr);
    EXPECT_EQ(instance.probe().paints, paints + 2);
    EXPECT_EQ(instance.probe().paintsWithoutContext, 0);
    EXPECT_EQ(instance.adapter()->currentContext, nullptr);
    // No view takes the wheel, and without a frame nothing is there to ask.
    EXPECT_FALSE(editorOf(instance)->onWheel(1.0f));
    instance.close();
    EXPECT_FALSE(editorOf(instance)->onWheel(1.0f));
    editorOf(instance)->draw(nullptr);
    EXPECT_EQ(instance.probe().paints, paints + 2);
}

TEST(EditorIdle, KnobModeAndEditBracketsReachTheirTargets) {
    EditorInstance instance;
    EXPECT_EQ(instance.dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editorOf(instance)->getKnobMode(), 2);
    EditorInstance::hostRequests().clear();
    editorOf(instance)->beginEdit(7);
    editorOf(instance)->endEdit(7);
    ASSERT_EQ(EditorInstance::hostRequests().size(), 2u);
    EXPECT_EQ(EditorInstance::hostRequests()[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(EditorInstance::hostRequests()[0].index, 7);
    EXPECT_EQ(EditorInstance::hostRequests()[1].opcode, audioMasterEndEdit);
}
