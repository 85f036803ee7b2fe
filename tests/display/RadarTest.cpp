// The radar: dots where the positions say, zone circle alphas, animation boxes, trails and the drags.
#include "tests/display/PanelFixture.h"

using Radar = PanelFixture;

namespace {
const VSTGUI::CColor kTargetGreen{0, 255, 0, 255};
const VSTGUI::CColor kShownGreen{0, 191, 0, 255};
const VSTGUI::CColor kTargetRed{255, 0, 0, 255};
const VSTGUI::CColor kShownRed{191, 0, 0, 255};
}  // namespace

TEST_F(Radar, DotsOfBothChannelsSitWhereThePositionsSay) {
    setSlider(12, 1);  // two inputs
    fx->var.ch[0].posX = 0.25;
    fx->var.ch[0].posY = 0.25;
    fx->var.ch[0].shownX = 0.75;
    fx->var.ch[0].shownY = 0.5;
    fx->var.ch[1].posX = 0.1;
    fx->var.ch[1].posY = 0.9;
    fx->var.ch[1].shownX = 0.6;
    fx->var.ch[1].shownY = 0.8;
    frame(-100, -100, 0);
    EXPECT_EQ(pixel(145, 145), kTargetGreen);
    EXPECT_EQ(pixel(395, 270), kShownGreen);
    EXPECT_EQ(pixel(70, 470), kTargetRed);
    EXPECT_EQ(pixel(320, 420), kShownRed);
    // With one input CH2 is not drawn at all.
    setSlider(12, 0);
    frame(-100, -100, 0);
    EXPECT_NE(pixel(70, 470), kTargetRed);
    EXPECT_NE(pixel(320, 420), kShownRed);
}

TEST_F(Radar, ZoneCircleAlphasFollowTheZoneGains) {
    withoutArtwork();
    setSlider(2, 80);  // CH1 well back keeps the dots away from the circles' tops
    frame(-100, -100, 0);
    // Summed down a column through the top of each circle: one line width times the alpha byte.
    const int centre = alphaSum(270, 258, 271, 266);
    const int edge = alphaSum(270, 16, 271, 24);
    EXPECT_NEAR(centre, 255, 25);
    EXPECT_NEAR(edge, 127, 15);
    EXPECT_NEAR(pixel(270, 262).green, 191, 1);

    setSlider(6, -60);
    frame(-100, -100, 0);
    EXPECT_LE(alphaSum(270, 258, 271, 266), 10);  // alpha byte 8
    EXPECT_NEAR(alphaSum(270, 16, 271, 24), 127, 15);
}

TEST_F(Radar, AnimationBoxFollowsScaleAndOffset) {
    withoutArtwork();
    setSlider(20, 1);     // Rotate
    setSlider(22, 0.5);   // X Scale
    setSlider(24, 0.25);  // X Offset
    EXPECT_EQ(fx->var.ch[0].animBox[0], 145);
    EXPECT_EQ(fx->var.ch[0].animBox[1], 20);
    EXPECT_EQ(fx->var.ch[0].animBox[2], 395);
    EXPECT_EQ(fx->var.ch[0].animBox[3], 520);
    fx->var.ch[0].shownX = fx->var.ch[0].posX = 0.5;
    fx->var.ch[0].shownY = fx->var.ch[0].posY = 0.5;
    frame(-100, -100, 0);
    // Vertical sides at x 145 and 395 with alpha 0.15, nothing where the full field's sides would be.
    EXPECT_NEAR(alphaSum(143, 400, 148, 401), 38, 8);
    EXPECT_NEAR(alphaSum(393, 400, 398, 401), 38, 8);
    EXPECT_GT(pixel(145, 400).green + pixel(144, 400).green, 0);
    EXPECT_EQ(alphaSum(120, 400, 125, 401), 0);
    EXPECT_EQ(alphaSum(420, 400, 425, 401), 0);

    setSlider(20, 0);  // animation off: no box even though it keeps its values
    frame(-100, -100, 0);
    EXPECT_EQ(alphaSum(143, 400, 148, 401), 0);
}

TEST_F(Radar, TrailAppearsOnceTheHistoryIsFullAndOnlyForSidewaysMotion) {
    withoutArtwork();
    fx->var.ch[0].posX = fx->var.ch[0].posY = 0.9;
    auto runFrames = [&](int count, double dx, double dy) {
        for (int i = 0; i < count; ++i) {
            fx->var.ch[0].shownX += dx;
            fx->var.ch[0].shownY += dy;
            frame(-100, -100, 0);
        }
    };
    fx->var.ch[0].shownX = 0.1;
    fx->var.ch[0].shownY = 0.2;
    runFrames(19, 0.01, 0);
    // Frame 19: the oldest entry is still the zero of the open step.
    EXPECT_EQ(inkCount(80, 115, 140, 126), 0);
    runFrames(1, 0.01, 0);
    // Dot now at x 170; the trail runs back to x 75 with falling alpha.
    EXPECT_GT(inkCount(80, 115, 140, 126), 0);
    EXPECT_GT(maxAlpha(150, 115, 160, 126), maxAlpha(80, 115, 90, 126));

    runFrames(20, 0, 0.01);  // straight down: x equals its value of 19 frames ago, so no trail
    EXPECT_GT(inkCount(160, 212, 180, 228), 0);  // the dot at (170, 220)
    EXPECT_EQ(inkCount(160, 110, 180, 210), 0);
}

TEST_F(Radar, LeftPressInsideTheMarginClampsToTheCorner) {
    frame(16, 524, kLeft);
    EXPECT_EQ(fx->sliders[1], -100);
    EXPECT_EQ(fx->sliders[2], 100);
    EXPECT_EQ(fx->var.sliderView[1], -100);
    EXPECT_EQ(fx->var.ch[0].posX, 0);
    EXPECT_EQ(fx->var.ch[0].posY, 1);
    EXPECT_EQ(automatedIndices(), (std::vector<int32_t>{0, 1}));

    frame(600, -50, kLeft);  // still held, far outside
    EXPECT_EQ(fx->sliders[1], 100);
    EXPECT_EQ(fx->sliders[2], -100);

    frame(270, 270, 0);  // the release frame runs once more, then the drag ends
    EXPECT_EQ(fx->sliders[1], 0);
    frame(100, 100, 0);
    EXPECT_EQ(fx->sliders[1], 0);
    EXPECT_EQ(fx->var.ch[0].posX, 0.5);
}

TEST_F(Radar, RightButtonDragsCh2OnlyWithTwoInputs) {
    frame(100, 100, kRight);
    frame(100, 100, 0);
    EXPECT_EQ(fx->sliders[3], 0);
    EXPECT_EQ(fx->sliders[1], 0);

    setSlider(12, 1);
    frame(145, 395, kRight);
    EXPECT_EQ(fx->sliders[3], -50);
    EXPECT_EQ(fx->sliders[4], 50);
    EXPECT_EQ(fx->sliders[1], 0);
    EXPECT_EQ(fx->var.ch[1].posX, 0.25);
}

TEST_F(Radar, BothButtonsDragBothChannelsToOnePoint) {
    setSlider(12, 1);
    clearAutomation();
    frame(395, 145, kLeft + kRight);
    EXPECT_EQ(fx->sliders[1], 50);
    EXPECT_EQ(fx->sliders[2], -50);
    EXPECT_EQ(fx->sliders[3], 50);
    EXPECT_EQ(fx->sliders[4], -50);
    EXPECT_EQ(automatedIndices(), (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST_F(Radar, PressOutsideTheMarginStartsWhenThePointerSlidesIn) {
    frame(10, 270, kLeft);
    EXPECT_EQ(fx->sliders[1], 0);
    EXPECT_TRUE(automatedIndices().empty());
    frame(20, 270, kLeft);
    EXPECT_EQ(fx->sliders[1], -100);
    EXPECT_EQ(fx->sliders[2], 0);
}

TEST_F(Radar, DragMovesTheCurrentDotOfAnInstanceThatHasNotProcessed) {
    withoutArtwork();
    frame(145, 395, kLeft);
    EXPECT_EQ(fx->var.ch[0].shownX, 0.25);
    EXPECT_EQ(fx->var.ch[0].shownY, 0.75);
    EXPECT_EQ(pixel(145, 395), kShownGreen);
    // The target dot of the frame is drawn before the drag; no current dot covers it.
    EXPECT_EQ(pixel(270, 270), kTargetGreen);
}

TEST_F(Radar, AnimatedPositionSlidersKeepADragOfAnInstanceThatHasNotProcessed) {
    setSlider(20, 1);  // Rotate: the position sliders follow the shown position every frame
    frame(395, 145, kLeft);
    EXPECT_EQ(fx->sliders[1], 50);
    EXPECT_EQ(fx->sliders[2], -50);
    EXPECT_EQ(fx->var.sliderView[1], 50);
}

TEST_F(Radar, DragLeavesThePublishedPositionOfAProcessingInstance) {
    fx->var.ch[0].shownFromAudio = true;
    fx->var.ch[0].shownX = 0.6;
    fx->var.ch[0].shownY = 0.4;
    frame(145, 395, kLeft);
    EXPECT_EQ(fx->var.ch[0].posX, 0.25);
    EXPECT_EQ(fx->var.ch[0].shownX, 0.6);
    EXPECT_EQ(fx->var.ch[0].shownY, 0.4);
}
