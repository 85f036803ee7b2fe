// The GDI+ backend below the panel: ResourceStream's IStream answers, the GDI+ start-up count,
// drawing-context mappings (normalised rectangles, stroke sizes, arcs, fonts, alpha blending).
#include <cstring>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/win32/GDIPlusGlobals.h"
#include "editor/vstgui/win32/GdiPlusPlatform.h"
#include "editor/vstgui/win32/ResourceStream.h"
#include "tests/windows/CheckReport.h"
#include "tests/windows/PanelRender.h"

using namespace VSTGUI;

namespace {

LARGE_INTEGER move(LONGLONG v) {
    LARGE_INTEGER m;
    m.QuadPart = v;
    return m;
}

void checkResourceStream(CheckReport& report) {
    unsigned char bytes[100];
    for (int i = 0; i < 100; ++i) bytes[i] = static_cast<unsigned char>(i);
    auto* stream = new ResourceStream(bytes, 100);
    unsigned char buffer[100] = {};
    ULONG read = 12345;
    report.equal<long>(stream->Read(buffer, 100, &read), S_OK, "Read of 100 bytes at 0 succeeds");
    report.check(read == 100 && buffer[99] == 99, "it delivers all 100 bytes");
    report.equal<long>(stream->Read(buffer, 1, &read), S_FALSE, "Read of 1 byte at 100 answers S_FALSE");
    report.equal<unsigned long>(read, 0, "a refused read reports 0 bytes read");
    ULARGE_INTEGER position;
    position.QuadPart = 777;
    report.equal<long>(stream->Seek(move(99), STREAM_SEEK_SET, &position), S_OK, "Seek to 99 from the start");
    report.equal<unsigned long long>(position.QuadPart, 99, "new position 99");
    report.equal<long>(stream->Seek(move(100), STREAM_SEEK_SET, &position), S_FALSE,
                       "Seek to 100 is refused");
    report.equal<long>(stream->Seek(move(-1), STREAM_SEEK_CUR, nullptr), S_OK, "Seek back one from 99");
    report.equal<long>(stream->Seek(move(-99), STREAM_SEEK_CUR, nullptr), S_FALSE,
                       "Seek before the start is refused");
    report.equal<unsigned>(stream->getPosition(), 98, "a refused seek leaves the position");
    report.equal<long>(stream->Seek(move(0), STREAM_SEEK_END, nullptr), S_FALSE,
                       "Seek from the end is refused");
    report.equal<long>(stream->Seek(move(0), 7, nullptr), STG_E_INVALIDFUNCTION,
                       "an unknown origin is invalid");
    report.equal<long>(stream->Revert(), S_OK, "Revert succeeds");
    report.equal<unsigned>(stream->getPosition(), 0, "Revert puts the position back to 0");
    STATSTG stat;
    std::memset(&stat, 0xAB, sizeof stat);
    report.equal<long>(stream->Stat(&stat, STATFLAG_NONAME), S_OK, "Stat succeeds");
    report.check(stat.cbSize.QuadPart == 100 && stat.pwcsName == nullptr && stat.type == 0,
                 "Stat zero-fills and gives the size");
    report.equal<long>(stream->Write(buffer, 1, nullptr), E_NOTIMPL, "Write is not offered");
    report.equal<long>(stream->Clone(nullptr), E_NOTIMPL, "Clone is not offered");
    IUnknown* unknown = nullptr;
    report.equal<long>(stream->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK,
                       "QueryInterface IUnknown");
    IDropTarget* wrong = reinterpret_cast<IDropTarget*>(1);
    report.equal<long>(stream->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&wrong)),
                       E_NOINTERFACE, "QueryInterface of another interface");
    report.equal<unsigned long>(unknown->Release(), 1, "Release answers the remaining count");
    report.equal<unsigned long>(stream->Release(), 0, "the last Release destroys the stream");
}

void checkStartUpCount(CheckReport& report) {
    report.check(!GDIPlusGlobals::isRunning(), "GDI+ is down before any bitmap");
    auto* first = new CBitmap(10, 10);
    const unsigned generation = GDIPlusGlobals::generation();
    report.check(GDIPlusGlobals::isRunning() && first->getWidth() == 10, "a bitmap starts GDI+");
    first->forget();
    report.check(!GDIPlusGlobals::isRunning(), "releasing the last bitmap shuts GDI+ down");
    auto* second = new CBitmap(CResourceDescription(2));
    report.check(GDIPlusGlobals::generation() == generation + 1 && second->getWidth() == 32,
                 "a new bitmap starts GDI+ again and decodes");
    second->forget();
}

void checkShapes(CheckReport& report) {
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
    report.equal<uint32_t>(context->getStateChangeCount() - before, 1,
                           "the same fill colour twice recolours once");
    context->setFrameColor(CColor{0, 0, 255, 255});
    context->drawRect(CRect(20, 20, 10, 10), kDrawFilledAndStroked);  // left > right, top > bottom
    report.check(at(10, 10) == (CColor{0, 0, 255, 255}), "stroke at the normalised top-left");
    report.check(at(19, 19) == (CColor{0, 0, 255, 255}), "stroke one pixel inside the fill's far edge");
    report.check(at(15, 15) == (CColor{255, 0, 0, 255}), "fill inside");
    report.equal<int>(at(20, 20).alpha, 0, "nothing at the rectangle's right and bottom edges");

    context->drawArc(CRect(40, 40, 100, 100), 270, 90, kDrawFilled);
    report.check(at(85, 70) == (CColor{255, 0, 0, 255}), "arc 270 to 90 fills the right half");
    report.equal<int>(at(55, 70).alpha, 0, "and leaves the left half");
    context->forget();
}

void checkFontsAndText(CheckReport& report) {
    auto* context = new COffscreenContext(nullptr, 200, 40);
    auto* font = new CFontDesc("Arial", 20, kBoldFace | kItalicFace);
    INT style = -1;
    Gdiplus::GpFont* gpFont = gdiPlusFontOf(font);
    if (gpFont) gdip::GdipGetFontStyle(gpFont, &style);
    report.equal<int>(style, Gdiplus::FontStyleItalic, "bold and italic together make an italic font");
    context->setFont(kNormalFont, 20);
    context->setFontColor(kWhiteCColor);
    const CCoord width = context->getStringWidth("Orbitone");
    report.check(width > 40 && width < 160, "\"Orbitone\" in 20 px Arial measures a word's width",
                 std::to_string(width));
    context->drawString("Orbitone", CPoint(5, 30), false);
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            CColor c;
            context->getBitmap()->readPixel(x, y, c);
            ink += c.alpha > 0 ? 1 : 0;
        }
    report.check(ink > 50, "drawString leaves ink", std::to_string(ink) + " pixels");
    auto* missing = new CFontDesc("No Such Family Anywhere", 20);
    context->setFont(missing);
    report.equal<double>(context->getStringWidth("x"), -1, "a font of an unknown family measures -1");
    missing->forget();
    font->forget();
    context->forget();
}

void checkAlphaBlend(CheckReport& report) {
    auto* source = new COffscreenContext(nullptr, 10, 10);
    source->setFillColor(CColor{0, 0, 255, 255});
    source->fillRect(CRect(0, 0, 10, 10));
    auto* target = new COffscreenContext(nullptr, 10, 10);
    source->getBitmap()->drawAlphaBlend(target, CRect(0, 0, 10, 10), CPoint(), 128);
    CColor c;
    target->getBitmap()->readPixel(5, 5, c);
    report.check(c.blue == 255 && c.alpha >= 126 && c.alpha <= 130, "alpha 128 draws at half opacity",
                 describe(c));
    source->getBitmap()->draw(target, CRect(0, 0, 5, 10));
    target->getBitmap()->readPixel(2, 5, c);
    report.check(c == (CColor{0, 0, 255, 255}), "alpha 255 copies the image unchanged", describe(c));
    target->forget();
    source->forget();
}

}  // namespace

int main() {
    CheckReport report("ToolkitCheck");
    checkResourceStream(report);
    checkStartUpCount(report);
    checkShapes(report);
    checkFontsAndText(report);
    checkAlphaBlend(report);
    return report.finish();
}
