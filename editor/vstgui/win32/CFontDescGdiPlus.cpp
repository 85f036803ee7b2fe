// CFontDesc's fonts on GDI+: a font family looked up by name, one style, sizes in pixels.
#include <cwchar>

#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/win32/GDIPlusGlobals.h"
#include "editor/vstgui/win32/GdiPlusPlatform.h"
#include "editor/vstgui/win32/WideText.h"

namespace VSTGUI {

namespace {
constexpr size_t kMaxFamilyName = 200;

// GDI+ takes one style only, in this order of precedence.
INT gdiPlusStyle(int32_t style) {
    if (style & kUnderlineFace) return Gdiplus::FontStyleUnderline;
    if (style & kItalicFace) return Gdiplus::FontStyleItalic;
    if (style & kBoldFace) return Gdiplus::FontStyleBold;
    return Gdiplus::FontStyleRegular;
}
}  // namespace

CFontDesc::Platform* CFontDesc::platformCreate() const {
    if (!hasName_ || !GDIPlusGlobals::isRunning()) return nullptr;
    std::wstring name = wideFromUtf8(name_.c_str());
    if (name.size() > kMaxFamilyName) name.resize(kMaxFamilyName);
    auto* platform = new Platform;
    platform->generation = GDIPlusGlobals::generation();
    Gdiplus::GpFontFamily* family = nullptr;
    // An unknown family leaves the font empty; text drawn with it shows nothing.
    if (gdip::GdipCreateFontFamilyFromName(name.c_str(), nullptr, &family) == Gdiplus::Ok && family) {
        gdip::GdipCreateFont(family, static_cast<Gdiplus::REAL>(size_), gdiPlusStyle(style_),
                             Gdiplus::UnitPixel, &platform->font);
        gdip::GdipDeleteFontFamily(family);
    }
    return platform;
}

void CFontDesc::platformFree(Platform* font) {
    // A font of an earlier start-up went with that GDI+; deleting it now would touch freed memory.
    if (font->font && GDIPlusGlobals::isRunning() && font->generation == GDIPlusGlobals::generation())
        gdip::GdipDeleteFont(font->font);
    delete font;
}

Gdiplus::GpFont* gdiPlusFontOf(CFontDesc* font) {
    if (!font) return nullptr;
    CFontDesc::Platform* platform = font->getPlatformFont();
    if (platform && platform->generation != GDIPlusGlobals::generation()) {
        font->freePlatformFont();
        platform = font->getPlatformFont();
    }
    return platform ? platform->font : nullptr;
}

}  // namespace VSTGUI
