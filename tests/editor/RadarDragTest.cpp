// End to end: the real module's editor in a host window, the radar dragged with the X pointer, and
// the host's automation and the processed audio following the new position.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "HostWindow.h"
#include "tests/host/TestHost.h"

using namespace editortest;

namespace {

constexpr int kSmoothing = 6;

// The panel reads the pointer when it paints: one host idle with the editor's window exposed
// handles the input so far and paints once.
void paint(TestInstance& plugin, HostWindow& host) {
    host.exposeChildren();
    plugin.dispatch(effEditIdle);
}

const AutomateCall* lastAutomation(const HostState& host, int32_t index) {
    for (auto it = host.automations.rbegin(); it != host.automations.rend(); ++it) {
        if (it->index == index) return &*it;
    }
    return nullptr;
}

}  // namespace

TEST(RadarDrag, MovesChannelOneAndTheHostRecordsIt) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.start();
    HostWindow host;
    ASSERT_NE(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 0);
    paint(plugin, host);

    // From the radar's centre to (120, 470) in panel pixels: u = 0.2, v = 0.9.
    host.movePointer(270, 270);
    host.button(1, true);
    paint(plugin, host);
    for (int step = 1; step <= 5; ++step) {
        host.movePointer(270 - 30 * step, 270 + 40 * step);
        paint(plugin, host);
    }
    paint(plugin, host);
    host.button(1, false);
    paint(plugin, host);
    plugin.dispatch(effEditClose);

    const AutomateCall* leftRight = lastAutomation(plugin.host(), 0);
    const AutomateCall* frontBack = lastAutomation(plugin.host(), 1);
    ASSERT_NE(leftRight, nullptr);
    ASSERT_NE(frontBack, nullptr);
    EXPECT_NEAR(leftRight->value, 0.2f, 1e-4);
    EXPECT_NEAR(frontBack->value, 0.9f, 1e-4);
    EXPECT_EQ(lastAutomation(plugin.host(), 2), nullptr);  // CH2 is not dragged with the left button
    EXPECT_NEAR(plugin.getParameter(0), 0.2f, 1e-4);
    EXPECT_NEAR(plugin.getParameter(1), 0.9f, 1e-4);

    // The audio is panned where the same position set by the host would put it.
    TestInstance reference;
    reference.setParameter(kSmoothing, 0);
    reference.setParameter(0, 0.2f);
    reference.setParameter(1, 0.9f);
    reference.start();
    const auto dragged = plugin.process({1, 1, 0, 0, 0, 0}, 64);
    const auto expected = reference.process({1, 1, 0, 0, 0, 0}, 64);
    for (int n = 0; n < 6; ++n) EXPECT_NEAR(dragged[n][63], expected[n][63], 1e-5) << n;
    EXPECT_GT(dragged[4][63], dragged[0][63]);  // towards the back left: Ls above L
}

// A pointer grab ends without a release reaching the editor when the grab window stops being viewable:
// here the host hides its window in the middle of a drag, the button goes up while it is hidden, and
// the window comes back. Losing the pointer ends the drag, so plain moves afterwards drag nothing.
TEST(RadarDrag, EndsWhenTheWindowLosesThePointer) {
    TestInstance plugin;
    plugin.setParameter(kSmoothing, 0);
    plugin.start();
    HostWindow host;
    ASSERT_NE(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 0);
    paint(plugin, host);

    host.movePointer(270, 270);
    host.button(1, true);
    paint(plugin, host);
    host.movePointer(220, 320);  // u = 0.4, v = 0.6
    paint(plugin, host);
    ASSERT_NEAR(plugin.getParameter(0), 0.4f, 1e-4);

    XUnmapWindow(host.display(), host.window());
    host.sync();
    paint(plugin, host);
    host.button(1, false);
    paint(plugin, host);
    XMapWindow(host.display(), host.window());
    host.sync();
    paint(plugin, host);
    const size_t automationsBefore = plugin.host().automations.size();
    for (int step = 1; step <= 4; ++step) {
        host.movePointer(220 + 40 * step, 320 - 40 * step);
        paint(plugin, host);
    }
    paint(plugin, host);
    plugin.dispatch(effEditClose);

    EXPECT_NEAR(plugin.getParameter(0), 0.4f, 1e-4);
    EXPECT_NEAR(plugin.getParameter(1), 0.6f, 1e-4);
    EXPECT_EQ(plugin.host().automations.size(), automationsBefore);
}
