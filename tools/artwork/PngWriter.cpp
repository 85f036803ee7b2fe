#include "tools/artwork/PngWriter.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace artwork {

namespace {
// Cairo pixels are premultiplied native-endian ARGB; PNG rows are straight RGBA bytes.
void toRgbaRow(const unsigned char* src, int width, std::vector<png_byte>& row) {
    for (int x = 0; x < width; ++x) {
        uint32_t p;
        std::memcpy(&p, src + 4 * x, 4);
        const uint32_t a = p >> 24;
        auto straight = [a](uint32_t c) { return static_cast<png_byte>(a ? (c * 255 + a / 2) / a : 0); };
        row[4 * x + 0] = straight((p >> 16) & 0xff);
        row[4 * x + 1] = straight((p >> 8) & 0xff);
        row[4 * x + 2] = straight(p & 0xff);
        row[4 * x + 3] = static_cast<png_byte>(a);
    }
}
}  // namespace

bool writeRgbaPng(cairo_surface_t* surface, const std::string& path) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (!data || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) return false;

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png))) ok = false;
    if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(4 * static_cast<size_t>(width));
        for (int y = 0; y < height; ++y) {
            toRgbaRow(data + static_cast<size_t>(y) * stride, width, row);
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return ok;
}

}  // namespace artwork
