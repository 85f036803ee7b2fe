// CBitmap's images on GDI+: PNG decoding from module resources (through ResourceStream), files and
// memory; 32-bit ARGB bitmaps; unscaled drawing, with a colour matrix for partial opacity.
#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/win32/GDIPlusGlobals.h"
#include "editor/vstgui/win32/GdiPlusPlatform.h"
#include "editor/vstgui/win32/ResourceStream.h"
#include "editor/vstgui/win32/WideText.h"
#include "plugin/boundary/win32/ModuleHandle.h"

namespace VSTGUI {

namespace {
constexpr Gdiplus::PixelFormat kArgb = PixelFormat32bppARGB;

// Every platform image holds GDI+ for as long as it lives.
CBitmap::Platform* wrap(Gdiplus::GpBitmap* bitmap) {
    if (!bitmap) {
        GDIPlusGlobals::release();
        return nullptr;
    }
    return new CBitmap::Platform{bitmap};
}

// A copy that no longer depends on the file or bytes it was decoded from.
Gdiplus::GpBitmap* detachedCopy(Gdiplus::GpBitmap* decoded) {
    if (!decoded) return nullptr;
    UINT w = 0, h = 0;
    gdip::GdipGetImageWidth(decoded, &w);
    gdip::GdipGetImageHeight(decoded, &h);
    Gdiplus::GpBitmap* copy = nullptr;
    if (w > 0 && h > 0)
        gdip::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), kArgb, decoded, &copy);
    gdip::GdipDisposeImage(decoded);
    return copy;
}

Gdiplus::GpBitmap* decodeDataResource(HMODULE module, LPCSTR name) {
    HRSRC info = FindResourceA(module, name, "DATA");
    if (!info) return nullptr;
    const DWORD size = SizeofResource(module, info);
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return nullptr;
    // The resource bytes live as long as the module, so GDI+ may keep reading the stream.
    auto* stream = new ResourceStream(bytes, size);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromStreamICM(stream, &bitmap) != Gdiplus::Ok) bitmap = nullptr;
    stream->Release();
    return bitmap;
}
}  // namespace

CBitmap::Platform* CBitmap::platformCreateEmpty(int32_t width, int32_t height) {
    GDIPlusGlobals::acquire();
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (width <= 0 || height <= 0 ||
        gdip::GdipCreateBitmapFromScan0(width, height, 0, kArgb, nullptr, &bitmap) != Gdiplus::Ok)
        bitmap = nullptr;
    return wrap(bitmap);
}

CBitmap::Platform* CBitmap::platformDecodeResource(const CResourceDescription& description) {
    GDIPlusGlobals::acquire();
    const HMODULE module = platform::moduleHandle();
    const bool byId = description.type == CResourceDescription::kIntegerType;
    if (byId && (description.id < 0 || description.id > 0xFFFF)) return wrap(nullptr);
    LPCSTR name = byId ? MAKEINTRESOURCEA(description.id) : description.name.c_str();
    Gdiplus::GpBitmap* bitmap = decodeDataResource(module, name);
    if (!bitmap) {
        // Not a "DATA" resource: perhaps a plain bitmap resource of that name.
        const std::wstring wide = wideFromUtf8(description.name.c_str());
        LPCWSTR wideName = byId ? MAKEINTRESOURCEW(description.id) : wide.c_str();
        if (gdip::GdipCreateBitmapFromResource(module, wideName, &bitmap) != Gdiplus::Ok) bitmap = nullptr;
    }
    return wrap(bitmap);
}

CBitmap::Platform* CBitmap::platformDecodeFile(const char* path) {
    GDIPlusGlobals::acquire();
    // Paths come from the ANSI module-name call, so they are in the ANSI code page.
    const std::wstring wide = wideFromMultiByte(path, CP_ACP);
    Gdiplus::GpBitmap* decoded = nullptr;
    if (wide.empty() || gdip::GdipCreateBitmapFromFile(wide.c_str(), &decoded) != Gdiplus::Ok)
        decoded = nullptr;
    return wrap(detachedCopy(decoded));
}

CBitmap::Platform* CBitmap::platformDecodeMemory(const unsigned char* bytes, size_t size) {
    GDIPlusGlobals::acquire();
    if (size > 0xFFFFFFFFu) return wrap(nullptr);
    auto* stream = new ResourceStream(bytes, static_cast<uint32_t>(size));
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gdip::GdipCreateBitmapFromStreamICM(stream, &decoded) != Gdiplus::Ok) decoded = nullptr;
    // The caller's bytes may go away: keep a copy that does not read the stream any more.
    Gdiplus::GpBitmap* copy = detachedCopy(decoded);
    stream->Release();
    return wrap(copy);
}

void CBitmap::platformSize(const Platform* image, int32_t& width, int32_t& height) const {
    UINT w = 0, h = 0;
    gdip::GdipGetImageWidth(image->bitmap, &w);
    gdip::GdipGetImageHeight(image->bitmap, &h);
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
}

void CBitmap::platformFree(Platform* image) {
    if (image->bitmap) gdip::GdipDisposeImage(image->bitmap);
    delete image;
    GDIPlusGlobals::release();
}

// Opacity is not looked into here: copies of opaque images then blend, with the same result.
bool CBitmap::platformIsOpaque() const {
    return false;
}

void CBitmap::platformDraw(CDrawContext* context, int32_t destX, int32_t destY, int32_t srcX, int32_t srcY,
                           int32_t width, int32_t height, uint8_t alpha, bool) {
    Gdiplus::GpGraphics* graphics = graphicsOf(context);
    if (!graphics) return;
    if (alpha == 255) {
        gdip::GdipDrawImageRectRectI(graphics, image_->bitmap, destX, destY, width, height, srcX, srcY, width,
                                     height, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
        return;
    }
    // Partial opacity: the source area goes through a temporary image and a colour matrix that
    // scales alpha only.
    Gdiplus::GpBitmap* area = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, kArgb, nullptr, &area) != Gdiplus::Ok) return;
    Gdiplus::GpGraphics* areaGraphics = nullptr;
    if (gdip::GdipGetImageGraphicsContext(area, &areaGraphics) == Gdiplus::Ok) {
        gdip::GdipSetPageUnit(areaGraphics, Gdiplus::UnitPixel);
        gdip::GdipDrawImageRectRectI(areaGraphics, image_->bitmap, 0, 0, width, height, srcX, srcY, width,
                                     height, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
        gdip::GdipDeleteGraphics(areaGraphics);
    }
    Gdiplus::ColorMatrix matrix = {};
    matrix.m[0][0] = matrix.m[1][1] = matrix.m[2][2] = 1;
    matrix.m[3][3] = alpha / 255.0f;
    Gdiplus::GpImageAttributes* attributes = nullptr;
    if (gdip::GdipCreateImageAttributes(&attributes) == Gdiplus::Ok) {
        gdip::GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                                nullptr, Gdiplus::ColorMatrixFlagsDefault);
        gdip::GdipDrawImageRectRectI(graphics, area, destX, destY, width, height, 0, 0, width, height,
                                     Gdiplus::UnitPixel, attributes, nullptr, nullptr);
        gdip::GdipDisposeImageAttributes(attributes);
    }
    gdip::GdipDisposeImage(area);
}

bool CBitmap::platformReadPixel(int32_t x, int32_t y, CColor& color) const {
    ARGB argb = 0;
    if (gdip::GdipBitmapGetPixel(image_->bitmap, x, y, &argb) != Gdiplus::Ok) return false;
    color = CColor{static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                   static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)};
    return true;
}

bool CBitmap::platformWritePng(const char* path) const {
    // The PNG encoder of GDI+'s built-in codecs.
    static const CLSID kPngEncoder = {
        0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring wide = wideFromMultiByte(path, CP_ACP);
    return !wide.empty() &&
           gdip::GdipSaveImageToFile(image_->bitmap, wide.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

}  // namespace VSTGUI
