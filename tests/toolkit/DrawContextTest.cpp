#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/COffscreenContext.h"
#include "editor/vstgui/cairo/CairoPlatform.h"

using namespace VSTGUI;

namespace {

constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kGreen{0, 255, 0, 255};
constexpr CColor kBlue{0, 0, 255, 255};

CColor pixel(const COffscreenContext& ctx, int x, int y) {
    CColor c{0, 0, 0, 0};
    ctx.getBitmap()->readPixel(x, y, c);
    return c;
}
bool painted(const COffscreenContext& ctx, int x, int y) {
    return pixel(ctx, x, y).alpha != 0;
}

// Bounding box of every non-transparent pixel: left, top, right, bottom (inclusive); -1s when empty.
CRect inkBounds(const COffscreenContext& ctx) {
    int l = 1 << 30, t = 1 << 30, r = -1, b = -1;
    for (int y = 0; y < ctx.getHeight(); ++y)
        for (int x = 0; x < ctx.getWidth(); ++x)
            if (painted(ctx, x, y)) {
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
            }
    return r < 0 ? CRect(-1, -1, -1, -1) : CRect(l, t, r, b);
}

}  // namespace

TEST(DrawContext, FilledRectangleCoversThePixelsWhoseCentresItContains) {
    COffscreenContext ctx(nullptr, 60, 60);
    ctx.setFillColor(kRed);
    ctx.fillRect(CRect(10, 20, 15, 25));
    EXPECT_EQ(inkBounds(ctx), CRect(10, 20, 14, 24));
    EXPECT_EQ(pixel(ctx, 12, 22), kRed);

    COffscreenContext fractional(nullptr, 60, 60);
    fractional.setFillColor(kRed);
    fractional.fillRect(CRect(10.7, 20.2, 15.7, 25.2));
    EXPECT_EQ(inkBounds(fractional), CRect(11, 21, 15, 25));
}

TEST(DrawContext, ReversedRectangleDrawsAsNormalisedWithTheOutlineOnePixelSmaller) {
    COffscreenContext ctx(nullptr, 60, 60);
    ctx.setFillColor(kBlue);
    ctx.setFrameColor(kRed);
    ctx.drawRect(CRect(40, 30, 20, 10), kDrawFilledAndStroked);
    EXPECT_EQ(inkBounds(ctx), CRect(20, 10, 39, 29));
    // The outline runs on the fill's first and last columns and rows.
    EXPECT_EQ(pixel(ctx, 20, 15), kRed);
    EXPECT_EQ(pixel(ctx, 39, 15), kRed);
    EXPECT_EQ(pixel(ctx, 25, 10), kRed);
    EXPECT_EQ(pixel(ctx, 25, 29), kRed);
    EXPECT_EQ(pixel(ctx, 25, 20), kBlue);

    COffscreenContext outlineOnly(nullptr, 60, 60);
    outlineOnly.setFrameColor(kRed);
    outlineOnly.drawRect(CRect(20, 10, 40, 30), kDrawStroked);
    EXPECT_EQ(inkBounds(outlineOnly), CRect(20, 10, 39, 29));
    EXPECT_FALSE(painted(outlineOnly, 25, 20));
}

TEST(DrawContext, OnePixelLineCoversItsRowAndPointDrawsOnePixel) {
    COffscreenContext ctx(nullptr, 40, 40);
    ctx.setFrameColor(kGreen);
    ctx.moveTo(CPoint(10.9, 5.9));  // truncated to (10, 5)
    ctx.lineTo(CPoint(20, 5));
    const CRect ink = inkBounds(ctx);
    EXPECT_EQ(ink.top, 5);
    EXPECT_EQ(ink.bottom, 5);
    EXPECT_EQ(ink.left, 10);

    COffscreenContext dot(nullptr, 40, 40);
    dot.setFrameColor(kGreen);
    dot.drawPoint(CPoint(7, 9), kRed);
    EXPECT_EQ(inkBounds(dot), CRect(7, 9, 7, 9));
    EXPECT_EQ(pixel(dot, 7, 9), kRed);
    EXPECT_EQ(dot.getFrameColor(), kGreen);
    EXPECT_EQ(dot.getLineWidth(), 1);
}

TEST(DrawContext, DottedLineDotsFollowAWidthSetAfterTheStyle) {
    COffscreenContext ctx(nullptr, 40, 20);
    ctx.setFrameColor(kRed);
    ctx.setLineStyle(kLineOnOffDash);
    ctx.setLineWidth(3);
    ctx.moveTo(CPoint(0, 10));
    ctx.lineTo(CPoint(30, 10));
    // Dots and gaps as long as the pen is wide: pixels 0-2 inked, 3-5 free, 6-8 inked.
    EXPECT_TRUE(painted(ctx, 1, 10));
    EXPECT_FALSE(painted(ctx, 4, 10));
    EXPECT_TRUE(painted(ctx, 7, 10));
}

TEST(DrawContext, ArcFrom270To90SweepsTheRightHalf) {
    COffscreenContext ctx(nullptr, 120, 120);
    ctx.setFrameColor(kRed);
    ctx.setLineWidth(3);
    ctx.drawArc(CRect(10, 10, 110, 110), 270, 90, kDrawStroked);
    int left = 0, right = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if (painted(ctx, x, y)) (x < 58 ? left : right)++;
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 100);
    EXPECT_TRUE(painted(ctx, 110, 60));  // the rightmost point lies on the arc
    EXPECT_TRUE(painted(ctx, 60, 10));   // it starts at the top
    EXPECT_TRUE(painted(ctx, 60, 110));  // and ends at the bottom
}

TEST(DrawContext, EllipseUsesIntegerBoxOnePixelSmaller) {
    COffscreenContext ctx(nullptr, 60, 60);
    ctx.setFillColor(kBlue);
    ctx.drawEllipse(CRect(10.6, 10.6, 27, 27), kDrawFilled);  // box (10, 10) 16 x 16, drawn 15 x 15
    const CRect ink = inkBounds(ctx);
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 25);
    EXPECT_LE(ink.bottom, 25);
    EXPECT_TRUE(painted(ctx, 17, 17));
}

TEST(DrawContext, LongPolygonsAreFilledToo) {
    std::vector<CPoint> ring;
    for (int i = 0; i < 40; ++i)
        ring.emplace_back(50 + 30 * std::cos(i * 2 * M_PI / 40), 50 + 30 * std::sin(i * 2 * M_PI / 40));
    COffscreenContext ctx(nullptr, 100, 100);
    ctx.setFillColor(kRed);
    ctx.drawPolygon(ring.data(), static_cast<int32_t>(ring.size()), kDrawFilled);
    EXPECT_EQ(pixel(ctx, 50, 50), kRed);
    EXPECT_FALSE(painted(ctx, 5, 5));
}

TEST(DrawContext, SettersSkipUnchangedValues) {
    COffscreenContext ctx(nullptr, 10, 10);
    const uint32_t start = ctx.getStateChangeCount();
    ctx.setFillColor(kRed);
    ctx.setFillColor(kRed);
    EXPECT_EQ(ctx.getStateChangeCount(), start + 1);
    ctx.setFrameColor(kWhiteCColor);  // already the frame colour
    ctx.setDrawMode(kCopyMode);
    ctx.setLineStyle(kLineSolid);
    ctx.setLineWidthIfChanged(1);
    EXPECT_EQ(ctx.getStateChangeCount(), start + 1);
    ctx.setDrawMode(kAntialias);
    ctx.setDrawMode(kAntialias);
    ctx.setClipRect(CRect(1, 1, 5, 5));
    ctx.setClipRect(CRect(1, 1, 5, 5));
    EXPECT_EQ(ctx.getStateChangeCount(), start + 3);
    ctx.setFontColor(kRed);  // the font colour is always applied
    ctx.setFontColor(kRed);
    EXPECT_EQ(ctx.getStateChangeCount(), start + 5);
}

TEST(DrawContext, OriginOffsetMovesDrawingAndClip) {
    COffscreenContext ctx(nullptr, 60, 60);
    ctx.setOffset(CPoint(10, 20));
    ctx.setClipRect(CRect(0, 0, 3, 3));
    CRect clip;
    EXPECT_EQ(ctx.getClipRect(clip), CRect(0, 0, 3, 3));
    ctx.setFillColor(kRed);
    ctx.fillRect(CRect(0, 0, 5, 5));
    EXPECT_EQ(inkBounds(ctx), CRect(10, 20, 12, 22));  // clipped at 3 x 3
}

TEST(DrawContext, StringIsDrawnWithTheLineBottomOnePixelBelowThePoint) {
    COffscreenContext ctx(nullptr, 200, 200);
    ctx.setFontColor(kWhiteCColor);
    ctx.setFont(kNormalFont, 20);
    ctx.drawString("Hg", CPoint(50, 100));
    const CRect ink = inkBounds(ctx);
    // The descender of "g" reaches towards the line bottom at 101, never beyond it.
    EXPECT_LE(ink.bottom, 101);
    EXPECT_GE(ink.bottom, 97);
    // Cap height of a 20 px Arial is about 14 px above the baseline, itself about 4 px above 101.
    EXPECT_NEAR(ink.top, 101 - 4.2 - 14.3, 2.5);
    EXPECT_NEAR(ink.left, 50, 3);
}

TEST(DrawContext, StringInRectangleIsPlacedByAlignment) {
    COffscreenContext left(nullptr, 300, 60);
    left.setFont(kNormalFontBig);
    left.drawString("WWW", CRect(100, 10, 250, 40), kLeftText);
    const double width = left.getStringWidth("WWW");
    EXPECT_GT(width, 20);
    EXPECT_NEAR(inkBounds(left).left, 100, 2);

    COffscreenContext right(nullptr, 300, 60);
    right.setFont(kNormalFontBig);
    right.drawString("WWW", CRect(100, 10, 250, 40), kRightText);
    EXPECT_NEAR(inkBounds(right).right, 249, 2);
    EXPECT_NEAR(inkBounds(right).left, 250 - width, 2);

    // y = bottom - ((bottom - top) / 2 - size / 2 + 1): with a 14 px font in a 30 px box, 40 - 9.
    COffscreenContext clipped(nullptr, 300, 60);
    clipped.setFont(kNormalFontBig);
    clipped.drawString("Hg", CRect(100, 10, 250, 20), kLeftText);
    EXPECT_GE(inkBounds(clipped).top, 10);
    EXPECT_LE(inkBounds(clipped).bottom, 19);
}

TEST(DrawContext, StringWidthAnswersMinusOneWithoutTextOrTarget) {
    CDrawContext noTarget(nullptr, nullptr, nullptr);
    EXPECT_EQ(noTarget.getStringWidth("abc"), -1);
    COffscreenContext ctx(nullptr, 10, 10);
    EXPECT_EQ(ctx.getStringWidth(nullptr), -1);
    EXPECT_GT(ctx.getStringWidth("abcdef"), ctx.getStringWidth("abc"));
    EXPECT_EQ(ctx.getPoint(CPoint(1, 1)), kBlackCColor);
}

TEST(DrawContext, SetFontReusesAnEqualDescriptionAndCopiesOtherwise) {
    COffscreenContext ctx(nullptr, 10, 10);
    EXPECT_EQ(ctx.getFont(), kSystemFont);
    ctx.setFont(kNormalFontSmall, 0, -1);
    EXPECT_EQ(ctx.getFont(), kNormalFontSmall);
    ctx.setFont(kNormalFontSmall, 9, 0);
    ASSERT_NE(ctx.getFont(), kNormalFontSmall);
    EXPECT_STREQ(ctx.getFont()->getName(), "Arial");
    EXPECT_EQ(ctx.getFont()->getSize(), 9);
    EXPECT_EQ(kNormalFontSmall->getNbReference(), 1);
}

TEST(FontDesc, BoldAndItalicIsCreatedItalicOnly) {
    CFontDesc font("Arial", 12, kBoldFace | kItalicFace);
    CFontDesc::Platform* p = font.getPlatformFont();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(cairo_toy_font_face_get_slant(p->face), CAIRO_FONT_SLANT_ITALIC);
    EXPECT_EQ(cairo_toy_font_face_get_weight(p->face), CAIRO_FONT_WEIGHT_NORMAL);
    font.setStyle(kBoldFace);
    EXPECT_EQ(cairo_toy_font_face_get_weight(font.getPlatformFont()->face), CAIRO_FONT_WEIGHT_BOLD);
    CFontDesc copy(font);
    EXPECT_TRUE(copy == font);
    copy.setName(nullptr);
    EXPECT_FALSE(copy == font);
    EXPECT_EQ(copy.getPlatformFont(), nullptr);
}

TEST(DrawContext, BadInputDrawsNothingAndDoesNotCrash) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    COffscreenContext ctx(nullptr, 20, 20);
    ctx.setFillColor(kRed);
    ctx.fillRect(CRect(nan, 0, 5, 5));
    ctx.drawEllipse(CRect(5, 5, 5, 5), kDrawFilledAndStroked);
    ctx.drawArc(CRect(0, 0, 0, 10), 0, 90, kDrawFilledAndStroked);
    ctx.drawPolygon(nullptr, 5);
    ctx.drawLines(nullptr, 3);
    ctx.setFont(nullptr);
    ctx.drawString(static_cast<const char*>(nullptr), CPoint(1, 1));
    ctx.setLineWidth(nan);
    EXPECT_EQ(ctx.getLineWidth(), 1);
    EXPECT_EQ(inkBounds(ctx), CRect(-1, -1, -1, -1));
    // The context still works afterwards.
    ctx.fillRect(CRect(0, 0, 1, 1));
    EXPECT_TRUE(painted(ctx, 0, 0));

    COffscreenContext negative(nullptr, -5, nan);
    CRect clip;
    EXPECT_EQ(negative.getClipRect(clip), CRect(-5, 0, 0, 0));
    negative.fillRect(CRect(0, 0, 5, 5));
    EXPECT_EQ(negative.getBitmap()->getWidth(), 0);
}
