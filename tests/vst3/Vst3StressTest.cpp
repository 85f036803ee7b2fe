// VST 3 hosts process on the audio thread while the main thread runs the panel, sets parameters and
// saves and restores the state. For a few seconds this test does both to one instance, with the
// transport playing, both channels animated and changes inside the blocks, and checks what comes
// out. tools/tsan.sh runs it again under ThreadSanitizer.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "tests/editor/HostWindow.h"
#include "tests/support/PollUntil.h"
#include "tests/vst3/Vst3TestHost.h"

using editortest::HostWindow;
using vst3test::HostFrame;
using vst3test::Instance;
using vst3test::MemoryStream;

namespace {

constexpr auto kStressTime = std::chrono::seconds(3);
constexpr v3_param_id kParameters = 24;

class Dice {
  public:
    explicit Dice(uint32_t seed) : state_(seed) {}
    uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    double unit() { return static_cast<double>(next() % 10001u) / 10000.0; }

  private:
    uint32_t state_;
};

}  // namespace

TEST(Vst3Stress, AudioAndMainThreadsTogether) {
    Instance plugin(48000, 1024);
    plugin.set(9, 1);     // two inputs
    plugin.set(11, 1);    // CH1 rotates
    plugin.set(17, 0.5);  // CH2 cruises
    plugin.setTransport(true);
    plugin.process(std::vector<float>(64, 0.0f), std::vector<float>(64, 0.0f));
    HostFrame frame;
    HostWindow window;
    auto* view = plugin.controllerCalls().ctrl.create_view(plugin.controller, "editor");
    ASSERT_NE(view, nullptr);
    const auto& viewCalls = **reinterpret_cast<v3_plugin_view_cpp**>(view);
    viewCalls.view.set_frame(view, frame.frame());
    ASSERT_EQ(viewCalls.view.attached(view, window.handle(), V3_VIEW_PLATFORM_TYPE_X11), V3_OK);

    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<long> badSamples{0};
    // The audio thread owns the instance's processing side, including its pending changes.
    std::thread audio([&] {
        Dice dice(7);
        std::vector<float> left(1024), right(1024);
        while (!stop.load()) {
            const int frames = 1 + dice.below(1024);
            left.resize(static_cast<size_t>(frames));
            right.resize(static_cast<size_t>(frames));
            for (int j = 0; j < frames; ++j) {
                left[static_cast<size_t>(j)] = static_cast<float>(std::sin(j * 0.01));
                right[static_cast<size_t>(j)] = static_cast<float>(std::cos(j * 0.013));
            }
            for (int c = dice.below(4); c > 0; --c)
                plugin.pending.add(static_cast<v3_param_id>(dice.below(kParameters)), dice.below(frames),
                                   dice.unit());
            for (const auto& channel : plugin.process(left, right)) {
                for (float s : channel) badSamples += std::isfinite(s) && std::fabs(s) < 100 ? 0 : 1;
            }
            ++blocks;
        }
    });

    // The main thread: the panel on its run loop with drags across the radar, the controller and the
    // state.
    Dice dice(11);
    const auto& ctrl = plugin.controllerCalls().ctrl;
    const auto end = std::chrono::steady_clock::now() + kStressTime;
    int turn = 0;
    while (std::chrono::steady_clock::now() < end) {
        ++turn;
        frame.turn();
        if (turn % 40 == 1) {
            window.movePointer(270, 270);
            window.button(1, true);
        } else if (turn % 40 < 30) {
            window.movePointer(40 + dice.below(460), 40 + dice.below(460));
        } else if (turn % 40 == 30) {
            window.button(1, false);
        }
        const auto id = static_cast<v3_param_id>(dice.below(kParameters));
        ctrl.set_parameter_normalised(plugin.controller, id, dice.unit());
        v3_str_128 text{};
        ctrl.get_parameter_string_for_value(plugin.controller, id,
                                            ctrl.get_parameter_normalised(plugin.controller, id), text);
        if (turn % 25 == 0) {
            MemoryStream saved(plugin.state());
            EXPECT_EQ(plugin.setState(saved), V3_OK);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // However the threads were scheduled, the audio side has processed before it is stopped.
    EXPECT_TRUE(testsupport::pollUntil([&] { return blocks.load() > 0; }, [] {}));
    stop = true;
    audio.join();
    viewCalls.view.removed(view);
    viewCalls.unref(view);

    EXPECT_GT(blocks.load(), 0);
    EXPECT_EQ(badSamples.load(), 0);
    for (const auto& e : plugin.edits) ASSERT_LT(e.id, 4u) << "only positions are dragged";
}
