// The editor's own idle paths: the throttled idle of long GUI operations and immediate redraws.
#include <gtest/gtest.h>

#include <thread>

#include "EditorInstance.h"
#include "HostWindow.h"
#include "editor/LumoEditor.h"
#include "editor/vstgui/CFrame.h"
#include "plugin/vst/Lumo.h"

using namespace editortest;
using namespace std::chrono_literals;

namespace {
CLumoEditor* editorOf(EditorInstance& instance) {
    return static_cast<CLumoEditor*>(instance.adapter()->getEditor());
}
}  // namespace

TEST(EditorIdle, BusyIdleRunsAtMostEveryHundredMilliseconds) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    CLumoEditor* editor = editorOf(instance);
    // The first call after construction is due at once.
    EditorInstance::hostRequests().clear();
    auto requests = [] { return EditorInstance::countHostRequests(audioMasterIdle); };
    editor->idleWhileBusy();
    EXPECT_EQ(requests(), 1);
    // Right after a full run only a short sleep happens.
    const auto start = std::chrono::steady_clock::now();
    editor->idleWhileBusy();
    EXPECT_EQ(requests(), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 4ms);
    // Between 46 and 99 ms later it sleeps, then runs; the frame reaches it the same way.
    std::this_thread::sleep_for(70ms);
    editor->getFrame()->doIdleStuff();
    EXPECT_EQ(requests(), 2);
    instance.close();
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
