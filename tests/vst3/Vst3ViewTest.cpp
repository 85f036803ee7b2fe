// The editor view in a host window under Xvfb, driven only by the host's run loop: it opens at the
// panel's size, paints, and a radar drag reaches the host as begin / perform / end edits of both
// position parameters, ending with the values the effect holds.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <X11/Xutil.h>

#include <algorithm>
#include <set>

#include "tests/editor/HostWindow.h"
#include "tests/support/PollUntil.h"
#include "tests/vst3/Vst3TestHost.h"

using editortest::HostWindow;
using vst3test::HostFrame;
using vst3test::Instance;

namespace {

struct View {
    View(Instance& plugin, HostFrame& frame, HostWindow& window)
        : plugin(plugin), frame(frame), window(window) {
        view = plugin.controllerCalls().ctrl.create_view(plugin.controller, "editor");
        if (view == nullptr) return;
        calls().view.set_frame(view, frame.frame());
        attached = calls().view.attached(view, window.handle(), V3_VIEW_PLATFORM_TYPE_X11) == V3_OK;
    }
    ~View() {
        if (view == nullptr) return;
        calls().view.removed(view);
        calls().unref(view);
    }
    const v3_plugin_view_cpp& calls() const { return **reinterpret_cast<v3_plugin_view_cpp**>(view); }
    // Turns of the host's loop, each after a block of silence, with the panel's window exposed so
    // that the turn paints it.
    void turns(int count) {
        for (int i = 0; i < count; ++i) {
            plugin.process(std::vector<float>(256, 0.0f), std::vector<float>(256, 0.0f));
            window.exposeChildren();
            frame.turn();
        }
    }

    Instance& plugin;
    HostFrame& frame;
    HostWindow& window;
    v3_plugin_view** view = nullptr;
    bool attached = false;
};

}  // namespace

TEST(Vst3View, OpensOnTheHostRunLoopAndPaints) {
    Instance plugin;
    HostFrame frame;
    HostWindow window;
    {
        View view(plugin, frame, window);
        ASSERT_NE(view.view, nullptr);
        EXPECT_EQ(view.calls().view.is_platform_type_supported(view.view, V3_VIEW_PLATFORM_TYPE_X11),
                  V3_TRUE);
        EXPECT_EQ(view.calls().view.is_platform_type_supported(view.view, V3_VIEW_PLATFORM_TYPE_HWND),
                  V3_FALSE);
        ASSERT_TRUE(view.attached);
        v3_view_rect size{};
        view.calls().view.get_size(view.view, &size);
        EXPECT_EQ(size.right - size.left, 1130);
        EXPECT_EQ(size.bottom - size.top, 540);
        // A timer and a handler for the panel's X connection; nothing runs without them.
        EXPECT_EQ(frame.timers.size(), 1u);
        ASSERT_EQ(frame.handlers.size(), 1u);
        EXPECT_GE(frame.handlers[0].second, 0);
        const auto children = window.children();
        ASSERT_EQ(children.size(), 1u);
        view.turns(2);
        EXPECT_GT(editortest::coloursIn(window.display(), children[0], 20, 20, 500, 500), 50u);
        EXPECT_TRUE(plugin.edits.empty()) << "nothing was changed on the panel";
        EXPECT_EQ(view.calls().view.attached(view.view, window.handle(), V3_VIEW_PLATFORM_TYPE_X11), V3_FALSE)
            << "a second attach";
    }
    EXPECT_TRUE(frame.timers.empty());
    EXPECT_TRUE(frame.handlers.empty());
    EXPECT_TRUE(window.children().empty());
}

TEST(Vst3View, RadarDragSendsBeginPerformEndForBothPositions) {
    Instance plugin;
    HostFrame frame;
    HostWindow window;
    View view(plugin, frame, window);
    ASSERT_TRUE(view.attached);
    view.turns(2);
    // From the radar's centre to (120, 470) in panel pixels: Left - Right -60, Front - Back 80.
    window.movePointer(270, 270);
    window.button(1, true);
    view.turns(2);
    for (int step = 1; step <= 5; ++step) {
        window.movePointer(270 - 30 * step, 270 + 40 * step);
        view.turns(1);
    }
    view.turns(2);
    auto ends = [&] {
        return std::count_if(plugin.edits.begin(), plugin.edits.end(), [](auto& e) { return e.kind == 'e'; });
    };
    EXPECT_EQ(ends(), 0) << "the gesture lasts while the button is held";
    window.button(1, false);
    // The gesture ends a while after the release, once the panel has applied its last position.
    ASSERT_TRUE(testsupport::pollUntil([&] { return ends() == 2; }, [&] { view.turns(1); }));

    const auto& ctrl = plugin.controllerCalls().ctrl;
    for (v3_param_id id : {0u, 1u}) {
        std::string kinds;
        double last = -1;
        for (const auto& e : plugin.edits) {
            if (e.id != id) continue;
            if (kinds.empty() || kinds.back() != e.kind) kinds.push_back(e.kind);
            if (e.kind == 'p') last = e.value;
        }
        EXPECT_EQ(kinds, "bpe") << id;
        EXPECT_EQ(last, ctrl.get_parameter_normalised(plugin.controller, id)) << id;
    }
    EXPECT_NEAR(ctrl.normalised_parameter_to_plain(plugin.controller, 0,
                                                   ctrl.get_parameter_normalised(plugin.controller, 0)),
                -60, 0.02);
    EXPECT_NEAR(ctrl.normalised_parameter_to_plain(plugin.controller, 1,
                                                   ctrl.get_parameter_normalised(plugin.controller, 1)),
                80, 0.02);
    for (const auto& e : plugin.edits) EXPECT_LT(e.id, 2u) << "only the two positions of CH1 moved";
}
