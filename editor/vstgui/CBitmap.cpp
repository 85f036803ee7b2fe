#include "editor/vstgui/CBitmap.h"

#include <cmath>

#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/ImageSizeLimit.h"

namespace VSTGUI {

namespace {
int32_t toPixels(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int32_t>(v);
}
}  // namespace

CBitmap::CBitmap() = default;

CBitmap::CBitmap(const CResourceDescription& description) {
    loadFromResource(description);
}

CBitmap::CBitmap(CCoord width, CCoord height) {
    const int32_t w = toPixels(width);
    const int32_t h = toPixels(height);
    adopt(platformCreateEmpty(w > 0 ? w : 0, h > 0 ? h : 0));
}

CBitmap::~CBitmap() {
    dispose();
}

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    drawAlphaBlend(context, dest, offset, 255);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    drawAlphaBlend(context, dest, offset, 255);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& dest, const CPoint& offset, uint8_t alpha) {
    drawArea(context, dest, offset, alpha, false);
}

void CBitmap::copyOpaque(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    drawArea(context, dest, offset, 255, true);
}

bool CBitmap::isOpaque() const {
    return image_ && platformIsOpaque();
}

void CBitmap::drawArea(CDrawContext* context, const CRect& dest, const CPoint& offset, uint8_t alpha,
                       bool replace) {
    if (!image_ || !context || !context->getPlatform()) return;
    const int32_t left = toPixels(dest.left);
    const int32_t top = toPixels(dest.top);
    const int32_t width = toPixels(dest.right) - left;
    const int32_t height = toPixels(dest.bottom) - top;
    if (width <= 0 || height <= 0) return;
    const CPoint& origin = context->getOffset();
    platformDraw(context, left + toPixels(origin.x), top + toPixels(origin.y), toPixels(offset.x),
                 toPixels(offset.y), width, height, alpha, replace);
}

void CBitmap::dispose() {
    if (image_) platformFree(image_);
    image_ = nullptr;
    noAlpha_ = false;
    width_ = 0;
    height_ = 0;
}

bool CBitmap::loadFromResource(const CResourceDescription& description) {
    dispose();
    resourceDescription_ = description;
    adopt(platformDecodeResource(description));
    return true;
}

bool CBitmap::unload() {
    dispose();
    return false;
}

bool CBitmap::loadFromFile(const char* path) {
    dispose();
    return path && !pngFileExceedsSizeLimit(path) && adopt(platformDecodeFile(path));
}

bool CBitmap::loadFromMemory(const unsigned char* bytes, size_t size) {
    dispose();
    return bytes && size > 0 && !pngExceedsSizeLimit(bytes, size) && adopt(platformDecodeMemory(bytes, size));
}

bool CBitmap::readPixel(int32_t x, int32_t y, CColor& color) const {
    if (!image_ || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return platformReadPixel(x, y, color);
}

bool CBitmap::writePng(const char* path) const {
    return image_ && path && platformWritePng(path);
}

bool CBitmap::adopt(Platform* image) {
    if (!image) return false;
    image_ = image;
    int32_t w = 0;
    int32_t h = 0;
    platformSize(image, w, h);
    width_ = w;
    height_ = h;
    return true;
}

}  // namespace VSTGUI
