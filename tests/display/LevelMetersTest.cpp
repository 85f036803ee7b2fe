// The falling meters: decay before drawing, square-root scale, full-scale colour, never past y 31.
#include <cmath>
#include <limits>
#include <vector>

#include "tests/display/PanelFixture.h"

using LevelMeters = PanelFixture;

TEST_F(LevelMeters, BarsRiseFromTheBottomOnASquareRootScale) {
    withoutArtwork();
    fx->var.inPeakL = 1.0;
    fx->var.inPeakR = 1.2;
    fx->var.outPeak[0] = 0.5;
    frame(-100, -100, 0);
    EXPECT_DOUBLE_EQ(fx->var.inPeakL, 0.994);

    const VSTGUI::CColor belowFullScale{0, 229, 0, 204};
    EXPECT_TRUE(colorNear(pixel(538, 31), belowFullScale));
    EXPECT_TRUE(colorNear(pixel(538, 529), belowFullScale));
    EXPECT_EQ(pixel(538, 30).alpha, 0);
    EXPECT_EQ(pixel(538, 530).alpha, 0);
    EXPECT_EQ(pixel(541, 100).alpha, 0);  // four pixels wide

    const VSTGUI::CColor fullScale{255, 51, 51, 204};
    EXPECT_TRUE(colorNear(pixel(543, 31), fullScale));
    EXPECT_EQ(pixel(543, 30).alpha, 0);

    const VSTGUI::CColor output{0, 229, 229, 204};
    EXPECT_TRUE(colorNear(pixel(559, 178), output));
    EXPECT_EQ(pixel(559, 177).alpha, 0);

    EXPECT_EQ(inkCount(570, 30, 592, 531), 0);  // silent outputs draw nothing
}

TEST_F(LevelMeters, AFullScalePeakIsGoneAfter167Frames) {
    fx->var.inPeakL = 1.0;
    for (int i = 0; i < 166; ++i) frame(-100, -100, 0);
    EXPECT_GT(fx->var.inPeakL, 0);
    frame(-100, -100, 0);
    EXPECT_EQ(fx->var.inPeakL, 0);
}

TEST_F(LevelMeters, PeaksThatAreNotNumbersShowFullScaleOnceAndFall) {
    fx->var.outPeak[3] = std::nan("");
    fx->var.outPeak[4] = 1e300;
    frame(-100, -100, 0);
    EXPECT_EQ(fx->var.outPeak[3], 1);
    EXPECT_GT(fx->var.outPeak[4], 1);
    frame(-100, -100, 0);
    EXPECT_DOUBLE_EQ(fx->var.outPeak[3], 0.994);
}

TEST_F(LevelMeters, AnInfiniteInputSampleShowsFullScaleOnceAndFallsLikeAnyPeak) {
    withoutArtwork();
    std::vector<std::vector<float>> in(6, std::vector<float>(64, 0.0f)), out = in;
    in[0][10] = std::numeric_limits<float>::infinity();
    float* inputs[6];
    float* outputs[6];
    for (size_t k = 0; k < 6; ++k) {
        inputs[k] = in[k].data();
        outputs[k] = out[k].data();
    }
    record->processReplacing(record, inputs, outputs, 64);
    frame(-100, -100, 0);
    const VSTGUI::CColor fullScale{255, 51, 51, 128};  // the first bar keeps the half alpha of one input
    EXPECT_TRUE(colorNear(pixel(538, 31), fullScale));
    frame(-100, -100, 0);
    EXPECT_TRUE(colorNear(pixel(538, 31), VSTGUI::CColor{0, 229, 0, 204}));
    for (int i = 0; i < 199; ++i) frame(-100, -100, 0);
    EXPECT_EQ(fx->var.inPeakL, 0);
    EXPECT_EQ(inkCount(537, 30, 592, 531), 0) << "no bar is left, inputs' or outputs'";
}
