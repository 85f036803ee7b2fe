// CBitmap's images on Cairo: PNG decoding from memory and files, ARGB32 image surfaces.
#include <cstring>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/cairo/CairoPlatform.h"
#include "resources/DataResources.h"

namespace VSTGUI {

namespace {
struct MemoryReader {
    const unsigned char* bytes;
    size_t size;
    size_t position;
};

cairo_status_t readFromMemory(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<MemoryReader*>(closure);
    if (length > reader->size - reader->position) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->bytes + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

// Every image is kept as ARGB32 so that drawing and pixel reads have one layout to handle.
cairo_surface_t* toArgb32(cairo_surface_t* decoded) {
    if (cairo_surface_status(decoded) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(decoded);
        return nullptr;
    }
    if (cairo_image_surface_get_format(decoded) == CAIRO_FORMAT_ARGB32) return decoded;
    const int w = cairo_image_surface_get_width(decoded);
    const int h = cairo_image_surface_get_height(decoded);
    cairo_surface_t* converted = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(converted);
    cairo_set_source_surface(cr, decoded, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(decoded);
    return converted;
}
}  // namespace

CBitmap::Platform* CBitmap::platformCreateEmpty(int32_t width, int32_t height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return new Platform{surface};
}

CBitmap::Platform* CBitmap::platformDecodeResource(const CResourceDescription& description) {
    // Only numbered "DATA" resources are embedded on this platform.
    if (description.type != CResourceDescription::kIntegerType) return nullptr;
    const unsigned char* bytes = nullptr;
    size_t size = 0;
    if (!findDataResource(description.id, &bytes, &size)) return nullptr;
    return platformDecodeMemory(bytes, size);
}

CBitmap::Platform* CBitmap::platformDecodeMemory(const unsigned char* bytes, size_t size) {
    MemoryReader reader{bytes, size, 0};
    cairo_surface_t* surface = toArgb32(cairo_image_surface_create_from_png_stream(readFromMemory, &reader));
    return surface ? new Platform{surface} : nullptr;
}

CBitmap::Platform* CBitmap::platformDecodeFile(const char* path) {
    cairo_surface_t* surface = toArgb32(cairo_image_surface_create_from_png(path));
    return surface ? new Platform{surface} : nullptr;
}

void CBitmap::platformSize(const Platform* image, int32_t& width, int32_t& height) const {
    width = cairo_image_surface_get_width(image->surface);
    height = cairo_image_surface_get_height(image->surface);
}

void CBitmap::platformFree(Platform* image) {
    cairo_surface_destroy(image->surface);
    delete image;
}

void CBitmap::platformDraw(CDrawContext* context, int32_t destX, int32_t destY, int32_t srcX, int32_t srcY,
                           int32_t width, int32_t height, uint8_t alpha, bool replace) {
    cairo_t* cr = cairoOf(context);
    if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS) return;
    cairo_save(cr);
    if (replace) cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, destX, destY, width, height);
    cairo_clip(cr);
    cairo_set_source_surface(cr, image_->surface, destX - srcX, destY - srcY);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    if (alpha == 255)
        cairo_paint(cr);
    else
        cairo_paint_with_alpha(cr, alpha / 255.0);
    cairo_restore(cr);
}

bool CBitmap::platformIsOpaque() const {
    cairo_surface_flush(image_->surface);
    const unsigned char* data = cairo_image_surface_get_data(image_->surface);
    if (!data || cairo_image_surface_get_format(image_->surface) != CAIRO_FORMAT_ARGB32) return false;
    const int stride = cairo_image_surface_get_stride(image_->surface);
    const int width = cairo_image_surface_get_width(image_->surface);
    const int height = cairo_image_surface_get_height(image_->surface);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, row + static_cast<size_t>(x) * 4, 4);
            if ((pixel >> 24) != 0xff) return false;
        }
    }
    return true;
}

bool CBitmap::platformReadPixel(int32_t x, int32_t y, CColor& color) const {
    cairo_surface_flush(image_->surface);
    const unsigned char* data = cairo_image_surface_get_data(image_->surface);
    if (!data) return false;
    const int stride = cairo_image_surface_get_stride(image_->surface);
    uint32_t pixel;
    std::memcpy(&pixel, data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
    const uint32_t a = pixel >> 24;
    auto unpremultiply = [a](uint32_t c) { return static_cast<uint8_t>(a ? (c * 255 + a / 2) / a : 0); };
    color = CColor{unpremultiply((pixel >> 16) & 0xff), unpremultiply((pixel >> 8) & 0xff),
                   unpremultiply(pixel & 0xff), static_cast<uint8_t>(a)};
    return true;
}

bool CBitmap::platformWritePng(const char* path) const {
    return cairo_surface_write_to_png(image_->surface, path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace VSTGUI
