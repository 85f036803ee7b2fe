// The LV2 UI in a host window under Xvfb: it paints the running instance, a radar drag and a slider
// drag reach the host through the write function, host changes are not written back, and opening
// and closing it leaks neither windows nor descriptors.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <X11/Xutil.h>

#include <cstring>
#include <set>

#include <lv2/state/state.h>

#include "tests/lv2/Lv2UiHost.h"

using namespace editortest;
using namespace lv2test;

namespace {

constexpr uint32_t kSmoothing = 6;
constexpr uint32_t kOutput = 10;

float sliderOf(const std::vector<unsigned char>& chunk, int number) {
    float value = 0;
    std::memcpy(&value, chunk.data() + 4 * number, sizeof value);
    return value;
}

bool wroteTo(const UiHost& ui, uint32_t port) {
    float value = 0;
    return ui.lastWrite(port, value);
}

}  // namespace

TEST(Lv2Ui, OpensInTheHostWindowAndPaintsTheInstance) {
    Instance plugin;
    plugin.activate();
    HostWindow window;
    {
        UiHost ui(plugin, window);
        ASSERT_TRUE(ui.valid());
        EXPECT_TRUE(ui.hasIdleInterface());
        EXPECT_EQ(ui.resizedWidth, 1130);
        EXPECT_EQ(ui.resizedHeight, 540);
        const auto children = window.children();
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(children[0], ui.widget());
        ui.cycles(3);
        // The radar picture, the panel background and its texts: far more than a blank window.
        EXPECT_GT(coloursIn(window.display(), ui.widget(), 20, 20, 500, 500), 50u);
        EXPECT_GT(coloursIn(window.display(), ui.widget(), 580, 100, 500, 400), 20u);
        EXPECT_TRUE(ui.writes.empty()) << "nothing was changed on the panel";
    }
    EXPECT_TRUE(window.children().empty());
}

TEST(Lv2Ui, RadarDragWritesBothPositionControls) {
    Instance plugin;
    plugin.activate();
    plugin.setControl(kSmoothing, 0);
    HostWindow window;
    UiHost ui(plugin, window);
    ASSERT_TRUE(ui.valid());
    ui.cycles(2);

    // From the radar's centre to (120, 470) in panel pixels: u = 0.2, v = 0.9.
    window.movePointer(270, 270);
    window.button(1, true);
    ui.cycles(2);
    for (int step = 1; step <= 5; ++step) {
        window.movePointer(270 - 30 * step, 270 + 40 * step);
        ui.cycles(1);
    }
    ui.cycles(2);
    window.button(1, false);
    ui.cycles(2);

    float leftRight = 0, frontBack = 0;
    ASSERT_TRUE(ui.lastWrite(kFirstControl + 0, leftRight));
    ASSERT_TRUE(ui.lastWrite(kFirstControl + 1, frontBack));
    EXPECT_NEAR(leftRight, -60, 0.02);
    EXPECT_NEAR(frontBack, 80, 0.02);
    EXPECT_FALSE(wroteTo(ui, kFirstControl + 2)) << "CH2 is not dragged with the left button";
    EXPECT_FALSE(wroteTo(ui, kFirstControl + 3));
    // The host's controls hold what is heard.
    const auto chunk = plugin.savedChunk();
    EXPECT_EQ(plugin.control(0), sliderOf(chunk, 1));
    EXPECT_EQ(plugin.control(1), sliderOf(chunk, 2));
}

TEST(Lv2Ui, APanelSliderWritesItsControl) {
    Instance plugin;
    plugin.activate();
    HostWindow window;
    UiHost ui(plugin, window);
    ASSERT_TRUE(ui.valid());
    ui.cycles(2);
    // The Output slider: 280 pixels wide at (770, 330); its knob's travel is 252 pixels from x + 13.
    // A pointer coming over the control, as a hand moves it, before the press.
    window.movePointer(780, 337);
    ui.cycles(1);
    window.movePointer(790, 337);
    ui.cycles(1);
    window.button(1, true);
    ui.cycles(1);
    window.movePointer(770 + 13 + 189, 337);  // three quarters of the travel: +10 dB
    ui.cycles(2);
    window.button(1, false);
    ui.cycles(2);
    float output = 0;
    ASSERT_TRUE(ui.lastWrite(kFirstControl + kOutput, output));
    EXPECT_NEAR(output, 10, 0.05);
    EXPECT_EQ(plugin.control(kOutput), sliderOf(plugin.savedChunk(), 13));
}

TEST(Lv2Ui, HostChangesApplyAndAreNotWrittenBack) {
    Instance plugin;
    plugin.activate();
    HostWindow window;
    UiHost ui(plugin, window);
    ASSERT_TRUE(ui.valid());
    ui.cycles(1);
    plugin.setControl(0, 25);
    plugin.setControl(kOutput, -7);
    // The UI hears of it before the instance has run: it must not put the old values back.
    ui.portEvent(kFirstControl + 0, 25);
    ui.portEvent(kFirstControl + kOutput, -7);
    ui.cycles(2, false);
    ui.cycles(2);
    EXPECT_TRUE(ui.writes.empty());
    const auto chunk = plugin.savedChunk();
    EXPECT_FLOAT_EQ(sliderOf(chunk, 1), 25);
    EXPECT_FLOAT_EQ(sliderOf(chunk, 13), -7);

    // Automation running on: the instance has applied 30 while the host already says 35. The 30
    // the panel now shows came from the host and must not be put back over the 35.
    plugin.setControl(0, 30);
    plugin.run(std::vector<float>(64, 0.0f), std::vector<float>(64, 0.0f));
    plugin.setControl(0, 35);
    ui.portEvent(kFirstControl + 0, 35);
    ui.cycles(2, false);
    EXPECT_TRUE(ui.writes.empty());
    ui.cycles(1);
    EXPECT_TRUE(ui.writes.empty());
    EXPECT_FLOAT_EQ(sliderOf(plugin.savedChunk(), 1), 35);
}

TEST(Lv2Ui, ARestoredStateReachesTheHostControls) {
    Instance source;
    source.activate();
    source.setControl(0, -33);
    source.setControl(kOutput, 4.5f);
    const std::vector<float> silence(64, 0.0f);
    source.run(silence, silence);
    const auto chunk = source.savedChunk();

    Instance plugin;
    plugin.activate();
    HostWindow window;
    UiHost ui(plugin, window);
    ASSERT_TRUE(ui.valid());
    ui.cycles(1);
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plugin.lilv(), LV2_STATE__interface));
    ASSERT_NE(state, nullptr);
    struct Source {
        const std::vector<unsigned char>* bytes;
        uint32_t type;
    } from{&chunk, World::shared().uris().map(LV2_ATOM__Chunk)};
    auto retrieve = [](LV2_State_Handle handle, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
        auto* s = static_cast<Source*>(handle);
        *size = s->bytes->size();
        *type = s->type;
        *flags = 0;
        return static_cast<const void*>(s->bytes->data());
    };
    ASSERT_EQ(state->restore(plugin.handle(), retrieve, &from, 0, plugin.features()), LV2_STATE_SUCCESS);
    ui.cycles(2);
    EXPECT_EQ(plugin.control(0), -33);
    EXPECT_EQ(plugin.control(kOutput), 4.5f);
    EXPECT_EQ(plugin.savedChunk(), chunk);
}

TEST(Lv2Ui, OpeningAndClosingAHundredTimesLeaksNothing) {
    Instance plugin;
    plugin.activate();
    HostWindow window;
    {
        UiHost warmUp(plugin, window);  // process-long caches (fonts, images) fill on first use
        warmUp.cycles(1);
    }
    const int descriptors = openFileDescriptors();
    for (int i = 0; i < 100; ++i) {
        UiHost ui(plugin, window);
        ASSERT_TRUE(ui.valid()) << i;
        ui.cycles(1);
    }
    EXPECT_EQ(openFileDescriptors(), descriptors);
    EXPECT_TRUE(window.children().empty());
}
