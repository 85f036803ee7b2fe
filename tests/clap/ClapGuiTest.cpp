// The panel under a CLAP host under Xvfb: embedded in the host's window at its one size, refreshed
// from the host's timer and the watched X connection, and a radar drag reaching the host as gesture
// begin, values and gesture end for both position parameters.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <X11/Xutil.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <set>
#include <thread>

#include "tests/clap/ClapTestHost.h"
#include "tests/editor/HostWindow.h"

using namespace claptest;
using editortest::HostWindow;

namespace {

// The host's loop: timers and descriptors, a block of silence while processing, else a flush
// whenever the plug-in asked for one, until the condition holds; false if it never does within a
// bound far beyond any real wait.
bool runUntil(Plugin& p, std::vector<OutEvent>& log, const std::function<bool()>& done) {
    int answered = p.flushRequests;
    const std::vector<float> silence(64, 0.0f);
    for (int turn = 0; turn < 2000; ++turn) {
        p.idle();
        if (p.processing()) {
            p.process(silence, silence);
            log.insert(log.end(), p.out.begin(), p.out.end());
        } else if (p.flushRequests != answered) {
            answered = p.flushRequests;
            p.flush();
            log.insert(log.end(), p.out.begin(), p.out.end());
        }
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// The panel opened as a host opens it, in the window given.
const clap_plugin_gui_t* openPanel(Plugin& p, HostWindow& window) {
    const auto* gui = p.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    if (gui == nullptr || !gui->is_api_supported(p.plugin(), CLAP_WINDOW_API_X11, false)) return nullptr;
    if (!gui->create(p.plugin(), CLAP_WINDOW_API_X11, false)) return nullptr;
    clap_window_t parent{};
    parent.api = CLAP_WINDOW_API_X11;
    parent.x11 = window.window();
    if (!gui->set_parent(p.plugin(), &parent) || !gui->show(p.plugin())) return nullptr;
    return gui;
}

std::vector<uint16_t> typesFor(const std::vector<OutEvent>& log, clap_id param) {
    std::vector<uint16_t> types;
    for (const OutEvent& e : log) {
        if (e.param == param && (types.empty() || types.back() != e.type)) types.push_back(e.type);
    }
    return types;
}

}  // namespace

TEST(ClapGui, EmbedsAtItsOneSizeAndPaintsFromTheHostsTimer) {
    Plugin p;
    const auto* gui = p.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    ASSERT_NE(gui, nullptr);
    EXPECT_FALSE(gui->is_api_supported(p.plugin(), CLAP_WINDOW_API_X11, true)) << "no floating window";
    EXPECT_FALSE(gui->is_api_supported(p.plugin(), CLAP_WINDOW_API_WIN32, false));
    uint32_t width = 0, height = 0;
    EXPECT_FALSE(gui->get_size(p.plugin(), &width, &height)) << "before create";
    HostWindow window;
    ASSERT_EQ(openPanel(p, window), gui);
    ASSERT_TRUE(gui->get_size(p.plugin(), &width, &height));
    EXPECT_EQ(width, 1130u);
    EXPECT_EQ(height, 540u);
    EXPECT_FALSE(gui->can_resize(p.plugin()));
    EXPECT_FALSE(gui->set_size(p.plugin(), 800, 400));
    EXPECT_EQ(p.timers.size(), 1u);
    EXPECT_EQ(p.fds.size(), 1u) << "the panel's X connection";
    const auto children = window.children();
    ASSERT_EQ(children.size(), 1u);

    std::vector<OutEvent> log;
    // The radar picture, the panel background and its texts: far more than a blank window.
    EXPECT_TRUE(runUntil(p, log, [&] {
        return editortest::coloursIn(window.display(), children[0], 20, 20, 500, 500) > 50 &&
               editortest::coloursIn(window.display(), children[0], 580, 100, 500, 400) > 20;
    }));
    EXPECT_TRUE(log.empty()) << "nothing was changed on the panel";
    gui->destroy(p.plugin());
    EXPECT_TRUE(p.timers.empty());
    EXPECT_TRUE(p.fds.empty());
    EXPECT_TRUE(window.children().empty());
}

TEST(ClapGui, WithoutDescriptorSupportTheTimerAloneDrivesIt) {
    Plugin p(false);
    HostWindow window;
    ASSERT_NE(openPanel(p, window), nullptr);
    EXPECT_EQ(p.timers.size(), 1u);
    const auto children = window.children();
    ASSERT_EQ(children.size(), 1u);
    std::vector<OutEvent> log;
    EXPECT_TRUE(runUntil(
        p, log, [&] { return editortest::coloursIn(window.display(), children[0], 20, 20, 500, 500) > 50; }));
}

// Processing, the changes go out with the next block; not processing, through a flush the plug-in
// asks for.
class RadarDrag : public testing::TestWithParam<bool> {};

TEST_P(RadarDrag, SendsGesturesForBothPositionParameters) {
    Plugin p;
    p.setParameter(6, 0);
    p.flush();
    ASSERT_TRUE(p.start());
    if (!GetParam()) p.pause();
    HostWindow window;
    ASSERT_NE(openPanel(p, window), nullptr);
    std::vector<OutEvent> log;
    const auto children = window.children();
    ASSERT_EQ(children.size(), 1u);
    ASSERT_TRUE(runUntil(
        p, log, [&] { return editortest::coloursIn(window.display(), children[0], 20, 20, 500, 500) > 50; }));

    // From the radar's centre to (120, 470) in panel pixels: u = 0.2, v = 0.9.
    window.movePointer(270, 270);
    window.button(1, true);
    for (int step = 1; step <= 5; ++step) {
        window.movePointer(270 - 30 * step, 270 + 40 * step);
        int turns = 0;
        runUntil(p, log, [&] { return ++turns == 15; });
    }
    EXPECT_TRUE(runUntil(p, log, [&] { return p.value(0) == -60 && p.value(1) == 80; }));
    window.button(1, false);
    auto ended = [&](clap_id param) {
        const auto types = typesFor(log, param);
        return !types.empty() && types.back() == CLAP_EVENT_PARAM_GESTURE_END;
    };
    EXPECT_TRUE(runUntil(p, log, [&] { return ended(0) && ended(1); }));
    for (clap_id param : {0u, 1u}) {
        SCOPED_TRACE(param);
        EXPECT_EQ(typesFor(log, param),
                  (std::vector<uint16_t>{CLAP_EVENT_PARAM_GESTURE_BEGIN, CLAP_EVENT_PARAM_VALUE,
                                         CLAP_EVENT_PARAM_GESTURE_END}));
        double last = NAN;
        for (const OutEvent& e : log) {
            if (e.param == param && e.type == CLAP_EVENT_PARAM_VALUE) last = e.value;
        }
        EXPECT_EQ(last, p.value(param)) << "the host's last value is what is heard";
    }
    EXPECT_TRUE(typesFor(log, 2).empty()) << "CH2 is not dragged with the left button";
    EXPECT_TRUE(typesFor(log, 3).empty());
    EXPECT_EQ(p.flushRequests > 0, !GetParam());
}

INSTANTIATE_TEST_SUITE_P(ClapGui, RadarDrag, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "processing" : "flushing";
                         });
