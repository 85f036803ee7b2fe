// The drawing operations, string formatting, image slots and font selection the panel is built on.
#include <cmath>
#include <fstream>
#include <string>

#include "display/GraphicsBridges.h"
#include "editor/vstgui/CFontDesc.h"
#include "runtime/ColorByte.h"
#include "runtime/StringFormatting.h"
#include "tests/display/PanelFixture.h"

using quill::toColorByte;

TEST(ColorByte, ScalesNudgesAndClamps) {
    EXPECT_EQ(toColorByte(0.75), 191);
    EXPECT_EQ(toColorByte(0.8), 204);
    EXPECT_EQ(toColorByte(0.5), 127);
    EXPECT_EQ(toColorByte(1.0), 255);
    EXPECT_EQ(toColorByte(-0.1), 0);
    EXPECT_EQ(toColorByte(1.2), 255);
    EXPECT_EQ(toColorByte(std::nan("")), 0);
    EXPECT_EQ(toColorByte(1e300), 255);
}

TEST(StringFormatting, ConversionsTakeValuesInOrder) {
    auto lookup = [](double id) {
        return id > 10031.5 && id < 10032.5 ? std::string("-Inf") : std::string();
    };
    const double almostThree[] = {3 - 0.00005};
    EXPECT_EQ(quill::formatValues("%d", almostThree, 1, lookup), "3");
    const double stringId[] = {10032};
    EXPECT_EQ(quill::formatValues("[%s]", stringId, 1, lookup), "[-Inf]");
    const double half[] = {0.5, 2};
    EXPECT_EQ(quill::formatValues("%.2f and %x", half, 2, lookup), "0.50 and 2");
    EXPECT_EQ(quill::formatValues("level %", half, 2, lookup), "level ");
    // An unknown letter ends a specification that takes no value: 0.5 goes to %.1f.
    EXPECT_EQ(quill::formatValues("%q%.1f", half, 2, lookup), "0.5");
    // Missing values count as 0.
    EXPECT_EQ(quill::formatValues("%d/%d", half, 1, lookup), "0/0");
}

TEST(StringFormatting, StaysWithinItsBufferAndNeverReadsExtraArguments) {
    const double v[] = {5, 7};
    const std::string wide = quill::formatValues("%900d|%900d", v, 2, nullptr);
    EXPECT_EQ(wide.size(), quill::kFormatBufferSize - 1);
    // '*' and '$' would make printf read arguments that were never passed.
    EXPECT_EQ(quill::formatValues("%*d %2$d", v, 2, nullptr), "5  7");
    const double nan[] = {std::nan("")};
    EXPECT_EQ(quill::formatValues("%d", nan, 1, nullptr), "-2147483648");
}

using GraphicsSurface = PanelFixture;

void setColor(TQuillEffect& e, double r, double g, double b, double a) {
    e.gfxR = r;
    e.gfxG = g;
    e.gfxB = b;
    e.gfxA = a;
}

TEST_F(GraphicsSurface, FillRectCoversWholePixelsAndMovesThePosition) {
    paint([&] {
        setColor(*fx, 1, 0, 0, 1);
        fx->FillRect(10.7, 20.2, 5, 5);
    });
    EXPECT_DOUBLE_EQ(fx->gfxX, 15.7);
    EXPECT_DOUBLE_EQ(fx->gfxY, 25.2);
    EXPECT_EQ(inkCount(0, 0, 100, 100), 25);
    const VSTGUI::CColor red{255, 0, 0, 255};
    EXPECT_EQ(pixel(10, 20), red);
    EXPECT_EQ(pixel(14, 24), red);
}

TEST_F(GraphicsSurface, WithoutAPaintNothingIsDrawnButPositionsMove) {
    fx->gfxX = fx->gfxY = 0;
    EXPECT_EQ(contextSetFillColor(adapter, 1, 2, 3, 4), 0);
    EXPECT_EQ(contextTextWidth(adapter, "abc"), 0.0);
    EXPECT_EQ(contextSelectFont(adapter, "Arial", 11, 0), 0);
    fx->DrawCircle(270, 270, 8, 0, 1);
    EXPECT_EQ(fx->gfxX, 270);
    fx->LineTo(300, 310, 1);
    EXPECT_EQ(fx->gfxX, 300);
    EXPECT_EQ(fx->gfxY, 310);
    fx->DrawImage(1, 1, 0, 0, 0);
    EXPECT_EQ(fx->gfxX, 300);
    EXPECT_TRUE(adapter->fontList.empty());
}

TEST_F(GraphicsSurface, DrawCircleOutlineSitsInItsIntegerRectangle) {
    paint([&] {
        setColor(*fx, 1, 1, 1, 1);
        fx->DrawCircle(270, 270, 8, 0, 1);
    });
    EXPECT_EQ(fx->gfxX, 270);
    EXPECT_EQ(fx->gfxY, 270);
    EXPECT_GT(maxAlpha(262, 262, 278, 278), 100);
    EXPECT_EQ(inkCount(0, 0, 1130, 261), 0);
    EXPECT_EQ(inkCount(0, 279, 1130, 540), 0);
    EXPECT_EQ(pixel(270, 270).alpha, 0);  // an outline, not a disc
}

TEST_F(GraphicsSurface, DrawTextPlacesLinesOneTextHeightApart) {
    fx->StringSet(500, "H\nHH");
    fx->StringSet(501, "H");
    double oneLineWidth = 0;
    paint([&] {
        fx->SelectFont(1, 10015, 14);
        setColor(*fx, 1, 1, 1, 1);
        oneLineWidth = contextTextWidth(adapter, "HH");
        fx->gfxX = 100;
        fx->gfxY = 50;
        fx->DrawText(500);
    });
    ASSERT_GT(oneLineWidth, 0);
    EXPECT_DOUBLE_EQ(fx->gfxX, 100 + oneLineWidth);
    EXPECT_DOUBLE_EQ(fx->gfxY, 64);
    EXPECT_GT(inkCount(100, 50, 130, 64), 0);
    EXPECT_GT(inkCount(100, 64, 130, 80), 0);
    // Second line is two letters wide: ink beyond the first line's single letter only below y 64.
    const int letter = static_cast<int>(oneLineWidth / 2);
    EXPECT_EQ(inkCount(100 + letter + 1, 50, 130, 63), 0);
    EXPECT_GT(inkCount(100 + letter + 1, 64, 130, 80), 0);

    paint([&] {
        fx->SelectFont(1, 10015, 14);
        fx->gfxX = 100;
        fx->gfxY = 50;
        fx->DrawText(501);
    });
    EXPECT_EQ(inkCount(100, 66, 130, 80), 0);
    EXPECT_DOUBLE_EQ(fx->gfxY, 50);
}

TEST_F(GraphicsSurface, FormatStringStoresUnderTheDestination) {
    fx->StringSet(600, "%.2f%s");
    EXPECT_EQ(fx->FormatString(190001, 600, 0.5, 10032), 190001);
    EXPECT_EQ(fx->StringGet(190001), "0.50-Inf");
}

TEST_F(GraphicsSurface, OpenStepRegistersNamesAndStrings) {
    EXPECT_EQ(fx->StringGet(10032), "-Inf");
    EXPECT_EQ(fx->StringGet(10016), "");
    EXPECT_EQ(fx->StringGet(10000), "build 170112");
    EXPECT_EQ(fx->StringGet(10060), "Fish Bowl");
    EXPECT_EQ(fx->StringGet(10071), "Arial");
    EXPECT_EQ(fx->constStrings[1], "orbitone2_gfx\\bg.png");
    EXPECT_EQ(fx->constStrings[2], "orbitone2_gfx\\sliderknob.png");
}

TEST_F(GraphicsSurface, ImageSlotsLoadTheEmbeddedResources) {
    const ImageSlot& background = fx->ResolveImage(1);
    EXPECT_EQ(background.width, 1130);
    EXPECT_EQ(background.height, 540);
    EXPECT_EQ(fx->ResolveImage(0).width, 500);
    EXPECT_EQ(fx->ResolveImage(2).width, 32);
    EXPECT_EQ(fx->ResolveImage(2).height, 15);
}

TEST_F(GraphicsSurface, MissingImageLogsEveryAttemptAndDrawsAnEmptyBox) {
    const std::string logPath = "/tmp/wisp.log.txt";
    std::remove(logPath.c_str());
    fx->constStrings[7] = "orbitone2_gfx\\does-not-exist.png";
    paint([&] {
        fx->gfxX = 40;
        fx->gfxY = 40;
        fx->DrawImage(7, 1, 0, 0, 0);
        fx->DrawImage(7, 1, 0, 0, 0);
    });
    EXPECT_EQ(inkCount(0, 0, 1130, 540), 0);  // the red box of a never-loaded slot is 0 x 0
    std::ifstream log(logPath);
    std::string line;
    int lines = 0;
    while (std::getline(log, line)) {
        EXPECT_EQ(line.rfind("Unable to load: ", 0), 0u) << line;
        EXPECT_NE(line.find("does-not-exist.png"), std::string::npos);
        ++lines;
    }
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(fx->images[7].width, 0);
}

TEST_F(GraphicsSurface, FontDescriptionsAreSharedByNameIgnoringCase) {
    fx->StringSet(700, "ARIAL");
    paint([&] {
        fx->SelectFont(1, 10015, 14);
        fx->SelectFont(1, 700, 11);
        fx->SelectFont(1, 10071, 11);
    });
    ASSERT_EQ(adapter->fontList.size(), 1u);
    EXPECT_STREQ(adapter->fontList[0]->getName(), "Arial");
    EXPECT_EQ(fx->gfxTextHeight, 11);
    EXPECT_EQ(fx->fonts[1].faceName, "Arial");
    EXPECT_NEAR(fx->fonts[1].size, 9.35, 1e-9);
}
