// The slider panel through the mouse variables: presses, drags, fine mode, reset, checkbox,
// "-Inf" texts, disabled controls and what reaches the engine and the host.
#include <cmath>
#include <map>
#include <utility>

#include "display/PanelDisplay.h"
#include "editor/vstgui/CBitmap.h"
#include "tests/display/PanelFixture.h"

using PanelControls = PanelFixture;

namespace {
// Vertical middle of a control's row.
double rowY(double top) {
    return top + 7;
}

// Host parameter changes made while the panel draws the knob at a given top edge, that is after its
// control read its value and before the frame ends.
AEffect* hostOfKnobs = nullptr;
std::map<double, std::pair<int32_t, float>> changesAtKnobTop;
decltype(DrawingBridges::imageDraw) drawImage = nullptr;

int32_t drawImageAndChange(ImageHolder* image, CHostAdapter* adapter, double left, double top, double right,
                           double bottom, double srcX, double srcY) {
    const auto change = changesAtKnobTop.find(top);
    if (change != changesAtKnobTop.end()) {
        hostOfKnobs->setParameter(hostOfKnobs, change->second.first, change->second.second);
        changesAtKnobTop.erase(change);
    }
    return drawImage(image, adapter, left, top, right, bottom, srcX, srcY);
}
}  // namespace

TEST_F(PanelControls, PressOnZoneControlSetsItsMiddleAndDrawsTheKnobThere) {
    setSlider(6, 30);
    const double x = 770 + 13 + 126;
    frame(x, rowY(220), 0);  // rest over the control first
    EXPECT_EQ(fx->sliders[6], 30);
    frame(x, rowY(220), kLeft);
    EXPECT_EQ(fx->sliders[6], 0);
    EXPECT_EQ(fx->var.sliderView[6], 0);
    EXPECT_EQ(fx->var.zoneCenterGain, 1);  // the slider section ran

    // Every opaque pixel of the knob's middle row shows up with the knob's left edge at x 897.
    VSTGUI::CBitmap knob(VSTGUI::CResourceDescription(2));
    ASSERT_EQ(knob.getWidth(), 32);
    int compared = 0;
    for (int kx = 0; kx < 32; ++kx) {
        VSTGUI::CColor expected;
        knob.readPixel(kx, 7, expected);
        if (expected.alpha != 255) continue;
        EXPECT_EQ(pixel(897 + kx, 221 + 7), expected) << "knob column " << kx;
        ++compared;
    }
    EXPECT_GT(compared, 10);
}

TEST_F(PanelControls, PressOnlyGrabsAfterThePointerRested) {
    frame(900, rowY(240), kLeft);  // arrived with the button already held
    EXPECT_EQ(fx->sliders[7], 100);
    frame(1200, 10, 0);
    frame(771, rowY(240), kLeft);  // pressed in the frame the pointer arrived
    EXPECT_EQ(fx->sliders[7], 100);
    frame(771, rowY(240), 0);
    frame(771, rowY(240), kLeft);  // rested, then pressed
    EXPECT_EQ(fx->sliders[7], 0);
}

TEST_F(PanelControls, PressesBeyondTheEndsAreClamped) {
    frame(771, rowY(240), 0);
    frame(771, rowY(240), kLeft);
    EXPECT_EQ(fx->sliders[7], 0);
    frame(1049, rowY(240), kLeft);  // dragging keeps going while held
    EXPECT_EQ(fx->sliders[7], 1000);
    frame(1200, 10, kLeft);  // and outside the control
    EXPECT_EQ(fx->sliders[7], 1000);
    frame(1200, 10, 0);
    frame(771, 10, kLeft);
    EXPECT_EQ(fx->sliders[7], 1000);
}

TEST_F(PanelControls, ControlHeldResetsToTheDefault) {
    setSlider(7, 500);
    frame(800, rowY(240), 0);
    frame(800, rowY(240), kLeft + kControlKey);
    EXPECT_EQ(fx->sliders[7], 100);

    setSlider(20, 3);
    frame(760, rowY(390), 0);
    frame(760, rowY(390), kLeft + kControlKey);
    EXPECT_EQ(fx->sliders[20], 0);
}

TEST_F(PanelControls, ShiftDragMovesTheKnobOnePixelPerNinePixels) {
    frame(900, rowY(200), 0);
    frame(900, rowY(200), kLeft + kShiftKey);
    // Offset 117 of 252: -1 + ceil(92.86) / 100.
    EXPECT_NEAR(fx->sliders[5], -0.07, 1e-9);
    frame(909, rowY(200), kLeft + kShiftKey);
    // Offset 118 of 252: -1 + ceil(93.65) / 100.
    EXPECT_NEAR(fx->sliders[5], -0.06, 1e-9);
    frame(909, rowY(200), kLeft);  // without Shift the knob jumps under the pointer
    EXPECT_NEAR(fx->sliders[5], 0, 1e-9);
}

TEST_F(PanelControls, ChoiceControlShowsTheItemNameOfItsValue) {
    withoutArtwork();
    setSlider(20, 4);
    frame(-100, -100, 0);
    const int fishBowl = inkCount(700, 405, 830, 421);
    setSlider(20, 0);
    frame(-100, -100, 0);
    const int off = inkCount(700, 405, 830, 421);
    EXPECT_GT(off, 0);
    EXPECT_GT(fishBowl, off);
    setSlider(20, 2.5);  // no item of that value
    frame(-100, -100, 0);
    EXPECT_EQ(inkCount(700, 405, 830, 421), 0);
}

TEST_F(PanelControls, CheckboxTogglesOncePerPress) {
    frame(777, 317, 0);
    frame(777, 317, kLeft);
    EXPECT_EQ(fx->sliders[12], 1);
    EXPECT_EQ(fx->var.stereoInput, 1);
    frame(777, 317, kLeft);  // still held
    EXPECT_EQ(fx->sliders[12], 1);
    frame(777, 317, 0);
    frame(777, 317, kLeft);
    EXPECT_EQ(fx->sliders[12], 0);

    frame(700, 317, kLeft);  // a press that slides in does nothing
    frame(777, 317, kLeft);
    EXPECT_EQ(fx->sliders[12], 0);
}

TEST_F(PanelControls, InfTextReplacesTheValueOneFrameLate) {
    withoutArtwork();
    const auto valueArea = [this] { return inkCount(1055, 266, 1130, 288); };
    frame(-100, -100, 0);  // Send To C at its default -60: value text and "-Inf"
    const int both = valueArea();
    frame(-100, -100, 0);
    const int infOnly = valueArea();
    EXPECT_GT(infOnly, 0);
    EXPECT_GT(both, infOnly);

    setSlider(10, -59.9);
    frame(-100, -100, 0);  // still hidden, and no longer -Inf: nothing
    EXPECT_EQ(valueArea(), 0);
    frame(-100, -100, 0);  // -59.90dB
    EXPECT_GT(valueArea(), infOnly);
}

TEST_F(PanelControls, Ch2ControlsIgnoreTheMouseAndFadeWithOneInput) {
    withoutArtwork();
    frame(900, rowY(150), 0);
    frame(900, rowY(150), kLeft);
    EXPECT_EQ(fx->sliders[3], 0);
    frame(900, rowY(150), 0);
    frame(1000, rowY(420), 0);
    frame(1000, rowY(420), kLeft);
    EXPECT_EQ(fx->sliders[27], 1);
    // Labels: CH1's at full alpha, CH2's at half.
    EXPECT_GT(maxAlpha(600, 100, 765, 115), 200);
    EXPECT_LE(maxAlpha(600, 150, 765, 165), 128);
    EXPECT_LE(maxAlpha(885, 460, 935, 475), 128);  // CH2 "Y Scale"
    EXPECT_GT(maxAlpha(645, 460, 695, 475), 200);  // CH1 "Y Scale"

    setSlider(12, 1);
    frame(1000, rowY(420), 0);
    frame(1000, rowY(420), kLeft);
    EXPECT_NE(fx->sliders[27], 1);
    EXPECT_GT(maxAlpha(600, 150, 765, 165), 200);
}

TEST_F(PanelControls, PositionControlsNotifyAllFourPositionSliders) {
    clearAutomation();
    frame(900, rowY(100), 0);
    frame(900, rowY(100), kLeft);
    EXPECT_EQ(automatedIndices(), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_NE(fx->sliders[1], 0);
    EXPECT_DOUBLE_EQ(fx->var.ch[0].posX, fx->sliders[1] / 200 + 0.5);
    // The engine recomputes its gains with a position no channel can have, never with 0.
    EXPECT_EQ(fx->var.ch[0].gainX, kForceGainRecompute);
    EXPECT_EQ(fx->var.ch[1].gainY, kForceGainRecompute);

    frame(900, rowY(100), 0);
    clearAutomation();
    frame(900, rowY(330), 0);
    frame(900, rowY(330), kLeft);  // Output: the host reads it at its next parameter read
    EXPECT_NE(fx->sliders[13], 0);
    EXPECT_TRUE(automatedIndices().empty());
    EXPECT_NEAR(record->getParameter(record, 10), (fx->sliders[13] + 20) / 40, 1e-6);
}

TEST_F(PanelControls, AnimatedPositionSlidersFollowTheMotionEveryFrame) {
    setSlider(20, 1);
    fx->var.ch[0].shownX = 0.75;
    fx->var.ch[0].shownY = 0.25;
    clearAutomation();
    frame(-100, -100, 0);
    EXPECT_EQ(fx->sliders[1], 50);
    EXPECT_EQ(fx->sliders[2], -50);
    EXPECT_EQ(fx->var.sliderView[1], 50);
    EXPECT_EQ(automatedIndices(), (std::vector<int32_t>{0, 1}));
    // CH2's animation only counts with two inputs.
    setSlider(26, 2);
    fx->var.ch[1].shownX = 1;
    clearAutomation();
    frame(-100, -100, 0);
    EXPECT_EQ(automatedIndices(), (std::vector<int32_t>{0, 1}));
}

// What the audio path never publishes, but a panel following an animation must not pass on either:
// the recompute marker, or anything else outside the square.
TEST_F(PanelControls, AShownPositionOutsideTheSquareIsNotFollowed) {
    setSlider(20, 1);
    setSlider(1, 30);
    for (const double bad : {kForceGainRecompute, -0.5, std::nan("")}) {
        SCOPED_TRACE(bad);
        fx->var.ch[0].shownX = bad;
        fx->var.ch[0].shownY = 0.25;
        clearAutomation();
        frame(-100, -100, 0);
        EXPECT_EQ(fx->sliders[1], 30);
        EXPECT_EQ(fx->var.sliderView[1], 30);
        for (const float value : automationValues()) {
            EXPECT_GE(value, 0.0f);
            EXPECT_LE(value, 1.0f);
        }
    }
    fx->var.ch[0].shownX = 0.75;
    clearAutomation();
    frame(-100, -100, 0);
    EXPECT_EQ(fx->sliders[1], 50);
    EXPECT_EQ(automationValues(), (std::vector<float>{0.75f, 0.25f}));
}

TEST_F(PanelControls, ValuesFromTheHostOutsideTheRangeAreClampedAndWrittenBack) {
    setSlider(21, 500);
    setSlider(13, std::nan(""));
    frame(-100, -100, 0);
    EXPECT_EQ(fx->sliders[21], 120);
    EXPECT_EQ(fx->sliders[13], 0);
}

TEST_F(PanelControls, AHostChangeWhileAControlIsDrawnIsKept) {
    panelOf(*fx).cache.setEnabled(false);  // every drawing call made while the panel runs
    drawImage = fx->drawing.imageDraw;
    fx->drawing.imageDraw = drawImageAndChange;
    hostOfKnobs = record;
    changesAtKnobTop = {{101, {0, 0.625f}}, {331, {10, 0.65f}}, {441, {13, 0.3f}}};
    frame(-100, -100, 0);
    EXPECT_TRUE(changesAtKnobTop.empty());
    EXPECT_EQ(fx->sliders[1], 25);            // CH1 Left - Right
    EXPECT_NEAR(fx->sliders[13], 6, 1e-9);    // Output
    EXPECT_NEAR(fx->sliders[22], 0.3, 1e-9);  // CH1 X Scale
    EXPECT_NEAR(fx->var.sliderView[13], 6, 1e-9);
    EXPECT_FLOAT_EQ(record->getParameter(record, 10), 0.65f);
    // A later change on the panel derives the engine's settings from the sliders: still +6 dB.
    frame(900, rowY(240), 0);
    frame(900, rowY(240), kLeft);
    EXPECT_NE(fx->sliders[7], 100);
    EXPECT_NEAR(fx->var.outputGain, std::pow(10.0, 6.0 / 20), 1e-12);
    EXPECT_DOUBLE_EQ(fx->var.ch[0].posX, 0.625);
}

TEST_F(PanelControls, FineValuesSetOnThePanelSurviveAHostWritingBackWhatItRead) {
    // Send To C: offset 172 of 252 is -60 + ceil(477.8) / 10; CH1 X Scale: 58 of 102 is ceil(56.9) / 100.
    frame(955, rowY(270), 0);
    frame(955, rowY(270), kLeft);
    frame(955, rowY(270), 0);
    frame(771, rowY(440), 0);
    frame(771, rowY(440), kLeft);
    frame(771, rowY(440), 0);
    ASSERT_NEAR(fx->sliders[10], -12.2, 1e-9);
    ASSERT_NEAR(fx->sliders[22], 0.57, 1e-9);
    for (int32_t i = 0; i < 23; ++i) record->setParameter(record, i, record->getParameter(record, i));
    EXPECT_NEAR(fx->sliders[10], -12.2, 1e-9);
    EXPECT_NEAR(fx->sliders[22], 0.57, 1e-9);
    frame(-100, -100, 0);
    EXPECT_NEAR(fx->sliders[10], -12.2, 1e-9);
    EXPECT_NEAR(fx->var.sendCGain, std::pow(10.0, -12.2 / 20), 1e-12);
}

// One input hides the second input's position on the panel, but the position stays the host's: back
// at two inputs, sliders, panel and host still hold what the host set.
TEST_F(PanelControls, SwitchingToOneInputAndBackKeepsTheSecondPositionOfTheHost) {
    record->setParameter(record, 9, 1.0f);  // two inputs
    record->setParameter(record, 2, 0.7f);  // CH2 Left - Right at 40
    for (int press = 0; press < 2; ++press) {
        frame(777, 317, 0);
        frame(777, 317, kLeft);
        frame(-100, -100, 0);
    }
    EXPECT_EQ(fx->sliders[12], 1);
    EXPECT_NEAR(fx->sliders[3], 40, 1e-9);
    EXPECT_NEAR(fx->var.sliderView[3], 40, 1e-9);
    EXPECT_FLOAT_EQ(record->getParameter(record, 2), 0.7f);
}
