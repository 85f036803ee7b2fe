#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "resources/DataResources.h"

using namespace VSTGUI;

TEST(DataResources, TheThreeImagesAreEmbeddedAsPngAndNothingElse) {
    for (int id = 0; id < 3; ++id) {
        const unsigned char* bytes = nullptr;
        size_t size = 0;
        ASSERT_TRUE(findDataResource(id, &bytes, &size)) << id;
        ASSERT_GT(size, 8u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes) + 1, 3), "PNG");
    }
    const unsigned char* bytes = nullptr;
    size_t size = 0;
    EXPECT_FALSE(findDataResource(3, &bytes, &size));
    EXPECT_FALSE(findDataResource(-1, &bytes, &size));
}

TEST(Bitmap, ResourceImagesDecodeAtTheirPanelSizes) {
    const struct {
        int id;
        double width, height;
    } expected[] = {{0, 500, 500}, {1, 1130, 540}, {2, 32, 15}};
    for (const auto& e : expected) {
        CBitmap bitmap(CResourceDescription(e.id));
        EXPECT_EQ(bitmap.getWidth(), e.width) << e.id;
        EXPECT_EQ(bitmap.getHeight(), e.height) << e.id;
    }
    CBitmap missing(CResourceDescription(7));
    EXPECT_EQ(missing.getWidth(), 0);
    EXPECT_TRUE(missing.loadFromResource(CResourceDescription("no such name")));
    EXPECT_EQ(missing.getHeight(), 0);
}

TEST(Bitmap, KnobImageHasTransparentPixels) {
    CBitmap knob(CResourceDescription(2));
    CColor corner;
    ASSERT_TRUE(knob.readPixel(31, 0, corner));
    EXPECT_EQ(corner.alpha, 0);
    CColor body;
    ASSERT_TRUE(knob.readPixel(13, 7, body));
    EXPECT_EQ(body.alpha, 255);
}

TEST(Bitmap, AlphaBlendAt128DrawsHalfOpaqueAnd255Copies) {
    COffscreenContext source(nullptr, 20, 20);
    source.setFillColor(CColor{255, 0, 0, 255});
    source.fillRect(CRect(0, 0, 10, 20));
    source.setFillColor(CColor{0, 0, 255, 255});
    source.fillRect(CRect(10, 0, 20, 20));
    CBitmap* image = source.getBitmap();

    COffscreenContext half(nullptr, 40, 40);
    image->drawAlphaBlend(&half, CRect(5, 5, 15, 15), CPoint(0, 0), 128);
    CColor c;
    ASSERT_TRUE(half.getBitmap()->readPixel(7, 7, c));
    EXPECT_NEAR(c.alpha, 128, 1);
    EXPECT_EQ(c.red, 255);

    COffscreenContext full(nullptr, 40, 40);
    full.setOffset(CPoint(2, 3));
    // The source area starts at (10, 0): the blue half, unscaled, only 5 x 5 of it.
    image->draw(&full, CRect(5, 5, 10, 10), CPoint(10, 0));
    ASSERT_TRUE(full.getBitmap()->readPixel(7, 8, c));
    EXPECT_EQ(c, (CColor{0, 0, 255, 255}));
    ASSERT_TRUE(full.getBitmap()->readPixel(11, 12, c));
    EXPECT_EQ(c, (CColor{0, 0, 255, 255}));
    ASSERT_TRUE(full.getBitmap()->readPixel(12, 13, c));
    EXPECT_EQ(c.alpha, 0);
    ASSERT_TRUE(full.getBitmap()->readPixel(6, 7, c));
    EXPECT_EQ(c.alpha, 0);

    image->drawAlphaBlend(nullptr, CRect(0, 0, 5, 5), CPoint(), 128);  // no context: nothing
}

TEST(Bitmap, FileLoadingDecodesPngAndRejectsOtherFiles) {
    COffscreenContext ctx(nullptr, 7, 3);
    ctx.setFillColor(CColor{10, 20, 30, 255});
    ctx.fillRect(CRect(0, 0, 7, 3));
    const std::string path = ::testing::TempDir() + "toolkit_bitmap_test.png";
    ASSERT_TRUE(ctx.getBitmap()->writePng(path.c_str()));
    CBitmap loaded;
    EXPECT_TRUE(loaded.loadFromFile(path.c_str()));
    EXPECT_EQ(loaded.getWidth(), 7);
    EXPECT_EQ(loaded.getHeight(), 3);
    std::remove(path.c_str());
    EXPECT_FALSE(loaded.loadFromFile(path.c_str()));
    EXPECT_EQ(loaded.getWidth(), 0);
    EXPECT_FALSE(loaded.loadFromFile(nullptr));
    const unsigned char junk[] = {1, 2, 3, 4};
    EXPECT_FALSE(loaded.loadFromMemory(junk, sizeof junk));
}
