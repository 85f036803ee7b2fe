// CDrawContext's drawing on the GDI+ flat API. Coordinates go to GDI+ unchanged: page unit pixels,
// no pixel offset, so a one-pixel line at y = 5 covers pixel row 5.
#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/win32/GDIPlusGlobals.h"
#include "editor/vstgui/win32/GdiPlusPlatform.h"
#include "editor/vstgui/win32/WideText.h"

namespace VSTGUI {

namespace {
// The GDI+ enumeration values this context uses.
constexpr auto kLowQualityInterpolation = Gdiplus::InterpolationModeLowQuality;  // 1
constexpr auto kPixelUnit = Gdiplus::UnitPixel;                                  // 2
constexpr auto kNoPixelOffset = Gdiplus::PixelOffsetModeNone;                    // 3
constexpr auto kSmoothingAntiAlias = Gdiplus::SmoothingModeAntiAlias;            // 4
constexpr auto kSmoothingNone = Gdiplus::SmoothingModeNone;                      // 3
constexpr auto kDashDotted = Gdiplus::DashStyleDot;                              // 2
constexpr auto kDashSolid = Gdiplus::DashStyleSolid;                             // 0
constexpr auto kClearTypeGridFit = Gdiplus::TextRenderingHintClearTypeGridFit;   // 5
constexpr auto kSystemDefaultText = Gdiplus::TextRenderingHintSystemDefault;     // 0

// Brushes are recoloured only when the colour in use changes.
void useColor(CDrawContext::Platform* p, Gdiplus::GpSolidFill* brush, ARGB& current, ARGB wanted) {
    if (current == wanted) return;
    current = wanted;
    p->lastStatus = gdip::GdipSetSolidFillColor(brush, wanted);
}

void makeDrawingObjects(CDrawContext::Platform* p, CCoord lineWidth, const CColor& frameColor) {
    gdip::GdipCreatePen1(toArgb(frameColor), static_cast<Gdiplus::REAL>(lineWidth), kPixelUnit, &p->pen);
    gdip::GdipCreateSolidFill(p->fillArgb, &p->fillBrush);
    gdip::GdipCreateSolidFill(p->fontArgb, &p->fontBrush);
}
}  // namespace

// systemContext is a device context; a window handle equal to the context's window asks the context
// to take that window's own device context (and give it back when destroyed).
void CDrawContext::platformCreate(void* systemContext) {
    GDIPlusGlobals::acquire();
    platform_ = new Platform;
    HDC dc = static_cast<HDC>(systemContext);
    if (window_ && systemContext == window_) {
        platform_->dcOwner = static_cast<HWND>(window_);
        dc = GetDC(platform_->dcOwner);
    }
    platform_->dc = dc;
    if (dc && gdip::GdipCreateFromHDC(dc, &platform_->graphics) == Gdiplus::Ok) {
        gdip::GdipSetInterpolationMode(platform_->graphics, kLowQualityInterpolation);
        gdip::GdipSetPageUnit(platform_->graphics, kPixelUnit);
        gdip::GdipSetPixelOffsetMode(platform_->graphics, kNoPixelOffset);
    } else {
        platform_->graphics = nullptr;
    }
    makeDrawingObjects(platform_, lineWidth_, frameColor_);
    platformApplyLineStyle();
    platformApplyDrawMode();
}

void CDrawContext::platformCreateForBitmap(CBitmap* bitmap) {
    CBitmap::Platform* image = bitmap ? bitmap->getPlatformImage() : nullptr;
    if (!image || !image->bitmap) return;
    GDIPlusGlobals::acquire();
    platform_ = new Platform;
    if (gdip::GdipGetImageGraphicsContext(image->bitmap, &platform_->graphics) == Gdiplus::Ok) {
        gdip::GdipSetInterpolationMode(platform_->graphics, kLowQualityInterpolation);
        gdip::GdipSetPageUnit(platform_->graphics, kPixelUnit);
    } else {
        platform_->graphics = nullptr;
    }
    makeDrawingObjects(platform_, lineWidth_, frameColor_);
    platformApplyLineStyle();
    platformApplyDrawMode();
}

void CDrawContext::platformDestroy() {
    if (!platform_) return;
    if (platform_->fontBrush) gdip::GdipDeleteBrush(platform_->fontBrush);
    if (platform_->fillBrush) gdip::GdipDeleteBrush(platform_->fillBrush);
    if (platform_->pen) gdip::GdipDeletePen(platform_->pen);
    if (platform_->graphics) gdip::GdipDeleteGraphics(platform_->graphics);
    if (platform_->dcOwner && platform_->dc) ReleaseDC(platform_->dcOwner, platform_->dc);
    delete platform_;
    platform_ = nullptr;
    GDIPlusGlobals::release();
}

bool CDrawContext::platformHasTarget() const {
    return platform_ && platform_->graphics && platform_->pen && platform_->fillBrush && platform_->fontBrush;
}

void CDrawContext::platformApplyPen() {
    if (!platformHasTarget()) return;
    platform_->lastStatus = gdip::GdipSetPenColor(platform_->pen, toArgb(frameColor_));
    platform_->lastStatus = gdip::GdipSetPenWidth(platform_->pen, static_cast<Gdiplus::REAL>(lineWidth_));
}

void CDrawContext::platformApplyLineStyle() {
    if (!platformHasTarget()) return;
    platform_->lastStatus =
        gdip::GdipSetPenDashStyle(platform_->pen, lineStyle_ == kLineOnOffDash ? kDashDotted : kDashSolid);
}

void CDrawContext::platformApplyDrawMode() {
    if (!platformHasTarget()) return;
    platform_->lastStatus = gdip::GdipSetSmoothingMode(
        platform_->graphics, drawMode_ == kAntialias ? kSmoothingAntiAlias : kSmoothingNone);
}

void CDrawContext::platformSetClip(int32_t left, int32_t top, int32_t width, int32_t height) {
    platform_->lastStatus =
        gdip::GdipSetClipRectI(platform_->graphics, left, top, width, height, Gdiplus::CombineModeReplace);
}

void CDrawContext::platformLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    platform_->lastStatus = gdip::GdipDrawLineI(platform_->graphics, platform_->pen, x1, y1, x2, y2);
}

void CDrawContext::platformPolygon(const float* xy, int32_t count, bool fill, bool stroke, bool closed) {
    // GDI+ points are pairs of floats, the layout the shared code prepared.
    const auto* points = reinterpret_cast<const Gdiplus::GpPointF*>(xy);
    Platform* p = platform_;
    if (fill) {
        useColor(p, p->fillBrush, p->fillArgb, toArgb(fillColor_));
        p->lastStatus =
            gdip::GdipFillPolygon(p->graphics, p->fillBrush, points, count, Gdiplus::FillModeAlternate);
    }
    if (stroke)
        p->lastStatus = closed ? gdip::GdipDrawPolygon(p->graphics, p->pen, points, count)
                               : gdip::GdipDrawLines(p->graphics, p->pen, points, count);
}

void CDrawContext::platformFillRect(double x, double y, double width, double height) {
    Platform* p = platform_;
    useColor(p, p->fillBrush, p->fillArgb, toArgb(fillColor_));
    p->lastStatus = gdip::GdipFillRectangle(p->graphics, p->fillBrush, static_cast<Gdiplus::REAL>(x),
                                            static_cast<Gdiplus::REAL>(y), static_cast<Gdiplus::REAL>(width),
                                            static_cast<Gdiplus::REAL>(height));
}

void CDrawContext::platformStrokeRect(double x, double y, double width, double height) {
    platform_->lastStatus = gdip::GdipDrawRectangle(
        platform_->graphics, platform_->pen, static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y),
        static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
}

void CDrawContext::platformEllipse(double x, double y, double width, double height, bool fill, bool stroke) {
    Platform* p = platform_;
    const INT ix = static_cast<INT>(x), iy = static_cast<INT>(y);
    const INT iw = static_cast<INT>(width), ih = static_cast<INT>(height);
    if (fill) {
        useColor(p, p->fillBrush, p->fillArgb, toArgb(fillColor_));
        p->lastStatus = gdip::GdipFillEllipseI(p->graphics, p->fillBrush, ix, iy, iw, ih);
    }
    if (stroke) p->lastStatus = gdip::GdipDrawEllipseI(p->graphics, p->pen, ix, iy, iw, ih);
}

void CDrawContext::platformArc(double x, double y, double width, double height, double start, double sweep,
                               bool fill, bool stroke) {
    Platform* p = platform_;
    Gdiplus::GpPath* path = nullptr;
    if (gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &path) != Gdiplus::Ok || !path) return;
    p->lastStatus =
        gdip::GdipAddPathArc(path, static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y),
                             static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height),
                             static_cast<Gdiplus::REAL>(start), static_cast<Gdiplus::REAL>(sweep));
    if (fill) {
        useColor(p, p->fillBrush, p->fillArgb, toArgb(fillColor_));
        p->lastStatus = gdip::GdipFillPath(p->graphics, p->fillBrush, path);
    }
    if (stroke) p->lastStatus = gdip::GdipDrawPath(p->graphics, p->pen, path);
    gdip::GdipDeletePath(path);
}

double CDrawContext::platformStringWidth(const char* utf8) {
    Gdiplus::GpFont* font = gdiPlusFontOf(font_);
    if (!font) return -1;
    const std::wstring text = wideFromUtf8(utf8);
    const Gdiplus::RectF layout(0, 0, 0, 0);
    Gdiplus::RectF bounds(0, 0, 0, 0);
    platform_->lastStatus =
        gdip::GdipMeasureString(platform_->graphics, text.c_str(), static_cast<INT>(text.size()), font,
                                &layout, nullptr, &bounds, nullptr, nullptr);
    return bounds.Width;
}

double CDrawContext::platformFontHeight() {
    Gdiplus::GpFont* font = gdiPlusFontOf(font_);
    if (!font) return 0;
    Gdiplus::REAL dpiY = 96;
    gdip::GdipGetDpiY(platform_->graphics, &dpiY);
    Gdiplus::REAL height = 0;
    platform_->lastStatus = gdip::GdipGetFontHeightGivenDPI(font, dpiY, &height);
    return height;
}

void CDrawContext::platformDrawString(const char* utf8, double left, double top, bool antialias) {
    Gdiplus::GpFont* font = gdiPlusFontOf(font_);
    if (!font) return;
    Platform* p = platform_;
    const std::wstring text = wideFromUtf8(utf8);
    gdip::GdipSetTextRenderingHint(p->graphics, antialias ? kClearTypeGridFit : kSystemDefaultText);
    useColor(p, p->fontBrush, p->fontArgb, toArgb(fontColor_));
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(left), static_cast<Gdiplus::REAL>(top), 0, 0);
    p->lastStatus = gdip::GdipDrawString(p->graphics, text.c_str(), static_cast<INT>(text.size()), font,
                                         &layout, nullptr, p->fontBrush);
}

}  // namespace VSTGUI
