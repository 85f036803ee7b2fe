// The GDI+ backend below the panel: ResourceStream's IStream answers, the GDI+ start-up count,
// drawing-context mappings (normalised rectangles, stroke sizes, arcs, fonts, alpha blending).
#include <gtest/gtest.h>

#include <cstring>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/win32/GDIPlusGlobals.h"
#include "editor/vstgui/win32/GdiPlusPlatform.h"
#include "editor/vstgui/win32/ResourceStream.h"
#include "tests/windows/PanelRender.h"

using namespace VSTGUI;

namespace {

LARGE_INTEGER move(LONGLONG v) {
    LARGE_INTEGER m;
    m.QuadPart = v;
    return m;
}

}  // namespace

TEST(Toolkit, ResourceStream) {
    unsigned char bytes[100];
    for (int i = 0; i < 100; ++i) bytes[i] = static_cast<unsigned char>(i);
    auto* stream = new ResourceStream(bytes, 100);
    unsigned char buffer[100] = {};
    ULONG read = 12345;
    EXPECT_EQ(static_cast<long>(stream->Read(buffer, 100, &read)), static_cast<long>(S_OK))
        << "Read of 100 bytes at 0 succeeds";
    EXPECT_TRUE(read == 100 && buffer[99] == 99) << "it delivers all 100 bytes";
    EXPECT_EQ(static_cast<long>(stream->Read(buffer, 1, &read)), static_cast<long>(S_FALSE))
        << "Read of 1 byte at 100 answers S_FALSE";
    EXPECT_EQ(static_cast<unsigned long>(read), static_cast<unsigned long>(0))
        << "a refused read reports 0 bytes read";
    ULARGE_INTEGER position;
    position.QuadPart = 777;
    EXPECT_EQ(static_cast<long>(stream->Seek(move(99), STREAM_SEEK_SET, &position)), static_cast<long>(S_OK))
        << "Seek to 99 from the start";
    EXPECT_EQ(static_cast<unsigned long long>(position.QuadPart), static_cast<unsigned long long>(99))
        << "new position 99";
    EXPECT_EQ(static_cast<long>(stream->Seek(move(100), STREAM_SEEK_SET, &position)),
              static_cast<long>(S_FALSE))
        << "Seek to 100 is refused";
    EXPECT_EQ(static_cast<long>(stream->Seek(move(-1), STREAM_SEEK_CUR, nullptr)), static_cast<long>(S_OK))
        << "Seek back one from 99";
    EXPECT_EQ(static_cast<long>(stream->Seek(move(-99), STREAM_SEEK_CUR, nullptr)),
              static_cast<long>(S_FALSE))
        << "Seek before the start is refused";
    EXPECT_EQ(static_cast<unsigned>(stream->getPosition()), static_cast<unsigned>(98))
        << "a refused seek leaves the position";
    EXPECT_EQ(static_cast<long>(stream->Seek(move(0), STREAM_SEEK_END, nullptr)), static_cast<long>(S_FALSE))
        << "Seek from the end is refused";
    EXPECT_EQ(static_cast<long>(stream->Seek(move(0), 7, nullptr)), static_cast<long>(STG_E_INVALIDFUNCTION))
        << "an unknown origin is invalid";
    EXPECT_EQ(static_cast<long>(stream->Revert()), static_cast<long>(S_OK)) << "Revert succeeds";
    EXPECT_EQ(static_cast<unsigned>(stream->getPosition()), static_cast<unsigned>(0))
        << "Revert puts the position back to 0";
    STATSTG stat;
    std::memset(&stat, 0xAB, sizeof stat);
    EXPECT_EQ(static_cast<long>(stream->Stat(&stat, STATFLAG_NONAME)), static_cast<long>(S_OK))
        << "Stat succeeds";
    EXPECT_TRUE(stat.cbSize.QuadPart == 100 && stat.pwcsName == nullptr && stat.type == 0)
        << "Stat zero-fills and gives the size";
    EXPECT_EQ(static_cast<long>(stream->Write(buffer, 1, nullptr)), static_cast<long>(E_NOTIMPL))
        << "Write is not offered";
    EXPECT_EQ(static_cast<long>(stream->Clone(nullptr)), static_cast<long>(E_NOTIMPL))
        << "Clone is not offered";
    IUnknown* unknown = nullptr;
    EXPECT_EQ(static_cast<long>(stream->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))),
              static_cast<long>(S_OK))
        << "QueryInterface IUnknown";
    IDropTarget* wrong = reinterpret_cast<IDropTarget*>(1);
    EXPECT_EQ(static_cast<long>(stream->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&wrong))),
              static_cast<long>(E_NOINTERFACE))
        << "QueryInterface of another interface";
    EXPECT_EQ(static_cast<unsigned long>(unknown->Release()), static_cast<unsigned long>(1))
        << "Release answers the remaining count";
    EXPECT_EQ(static_cast<unsigned long>(stream->Release()), static_cast<unsigned long>(0))
        << "the last Release destroys the stream";
}

TEST(Toolkit, StartUpCount) {
    EXPECT_TRUE(!GDIPlusGlobals::isRunning()) << "GDI+ is down before any bitmap";
    auto* first = new CBitmap(10, 10);
    const unsigned generation = GDIPlusGlobals::generation();
    EXPECT_TRUE(GDIPlusGlobals::isRunning() && first->getWidth() == 10) << "a bitmap starts GDI+";
    first->forget();
    EXPECT_TRUE(!GDIPlusGlobals::isRunning()) << "releasing the last bitmap shuts GDI+ down";
    auto* second = new CBitmap(CResourceDescription(2));
    EXPECT_TRUE(GDIPlusGlobals::generation() == generation + 1 && second->getWidth() == 32)
        << "a new bitmap starts GDI+ again and decodes";
    second->forget();
}

TEST(Toolkit, Shapes) {
    auto* context = new COffscreenContext(nullptr, 100, 100);
    CBitmap* image = context->getBitmap();
    auto at = [&](int x, int y) {
        CColor c{0, 0, 0, 0};
        image->readPixel(x, y, c);
        return c;
    };
    const uint32_t before = context->getStateChangeCount();
    context->setFillColor(CColor{255, 0, 0, 255});
    context->setFillColor(CColor{255, 0, 0, 255});
    EXPECT_EQ(static_cast<uint32_t>(context->getStateChangeCount() - before), static_cast<uint32_t>(1))
        << "the same fill colour twice recolours once";
    context->setFrameColor(CColor{0, 0, 255, 255});
    context->drawRect(CRect(20, 20, 10, 10), kDrawFilledAndStroked);  // left > right, top > bottom
    EXPECT_TRUE(at(10, 10) == (CColor{0, 0, 255, 255})) << "stroke at the normalised top-left";
    EXPECT_TRUE(at(19, 19) == (CColor{0, 0, 255, 255})) << "stroke one pixel inside the fill's far edge";
    EXPECT_TRUE(at(15, 15) == (CColor{255, 0, 0, 255})) << "fill inside";
    EXPECT_EQ(static_cast<int>(at(20, 20).alpha), 0) << "nothing at the rectangle's right and bottom edges";

    context->drawArc(CRect(40, 40, 100, 100), 270, 90, kDrawFilled);
    EXPECT_TRUE(at(85, 70) == (CColor{255, 0, 0, 255})) << "arc 270 to 90 fills the right half";
    EXPECT_EQ(static_cast<int>(at(55, 70).alpha), 0) << "and leaves the left half";
    context->forget();
}

TEST(Toolkit, FontsAndText) {
    auto* context = new COffscreenContext(nullptr, 200, 40);
    auto* font = new CFontDesc("Arial", 20, kBoldFace | kItalicFace);
    INT style = -1;
    Gdiplus::GpFont* gpFont = gdiPlusFontOf(font);
    if (gpFont) gdip::GdipGetFontStyle(gpFont, &style);
    EXPECT_EQ(static_cast<int>(style), static_cast<int>(Gdiplus::FontStyleItalic))
        << "bold and italic together make an italic font";
    context->setFont(kNormalFont, 20);
    context->setFontColor(kWhiteCColor);
    const CCoord width = context->getStringWidth("Orbitone");
    EXPECT_TRUE(width > 40 && width < 160) << "\"Orbitone\" in 20 px Arial measures a word's width"
                                           << ": " << std::to_string(width);
    context->drawString("Orbitone", CPoint(5, 30), false);
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            CColor c;
            context->getBitmap()->readPixel(x, y, c);
            ink += c.alpha > 0 ? 1 : 0;
        }
    EXPECT_TRUE(ink > 50) << "drawString leaves ink"
                          << ": " << std::to_string(ink) + " pixels";
    auto* missing = new CFontDesc("No Such Family Anywhere", 20);
    context->setFont(missing);
    EXPECT_EQ(static_cast<double>(context->getStringWidth("x")), static_cast<double>(-1))
        << "a font of an unknown family measures -1";
    missing->forget();
    font->forget();
    context->forget();
}

TEST(Toolkit, AlphaBlend) {
    auto* source = new COffscreenContext(nullptr, 10, 10);
    source->setFillColor(CColor{0, 0, 255, 255});
    source->fillRect(CRect(0, 0, 10, 10));
    auto* target = new COffscreenContext(nullptr, 10, 10);
    source->getBitmap()->drawAlphaBlend(target, CRect(0, 0, 10, 10), CPoint(), 128);
    CColor c;
    target->getBitmap()->readPixel(5, 5, c);
    EXPECT_TRUE(c.blue == 255 && c.alpha >= 126 && c.alpha <= 130) << "alpha 128 draws at half opacity"
                                                                   << ": " << describe(c);
    source->getBitmap()->draw(target, CRect(0, 0, 5, 10));
    target->getBitmap()->readPixel(2, 5, c);
    EXPECT_TRUE(c == (CColor{0, 0, 255, 255})) << "alpha 255 copies the image unchanged"
                                               << ": " << describe(c);
    target->forget();
    source->forget();
}
