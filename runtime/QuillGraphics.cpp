#include "runtime/QuillGraphics.h"

#include <algorithm>
#include <cmath>

#include "runtime/ColorByte.h"
#include "runtime/ScriptNumbers.h"
#include "runtime/StringFormatting.h"

using quill::toColorByte;

namespace {

constexpr int32_t kSmoothingOff = 0;
constexpr int32_t kSmoothingOn = 3;
constexpr int32_t kFilled = 1;
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignCentre = 1;

int32_t smoothingFor(double antialias) {
    return antialias >= 0.5 ? kSmoothingOn : kSmoothingOff;
}

}  // namespace

CQuillGraphics::~CQuillGraphics() {
    ReleaseImages();
}

void CQuillGraphics::ReleaseImages() {
    for (auto& entry : images) callBridge(drawing.imageRelease, entry.second.holder);
    images.clear();
}

void CQuillGraphics::applyFillColor() {
    callBridge(drawing.setFillColor, adapter, toColorByte(gfxR), toColorByte(gfxG), toColorByte(gfxB),
               toColorByte(gfxA));
}

void CQuillGraphics::applyFrameColor() {
    callBridge(drawing.setFrameColor, adapter, toColorByte(gfxR), toColorByte(gfxG), toColorByte(gfxB),
               toColorByte(gfxA));
}

void CQuillGraphics::applyFontColor() {
    callBridge(drawing.setFontColor, adapter, toColorByte(gfxR), toColorByte(gfxG), toColorByte(gfxB),
               toColorByte(gfxA));
}

double CQuillGraphics::FillRect(double x, double y, double w, double h) {
    gfxX = x + w;
    gfxY = y + h;
    applyFillColor();
    callBridge(drawing.setSmoothing, adapter, kSmoothingOff);
    callBridge(drawing.drawRect, adapter, std::floor(x), std::floor(y), std::floor(x + w), std::floor(y + h),
               kFilled);
    return 0.0;
}

double CQuillGraphics::DrawLine(double x1, double y1, double x2, double y2, double antialias) {
    applyFrameColor();
    callBridge(drawing.setSmoothing, adapter, smoothingFor(antialias));
    callBridge(drawing.moveTo, adapter, x1, y1);
    callBridge(drawing.lineTo, adapter, x2, y2);
    gfxX = x2;
    gfxY = y2;
    return 0.0;
}

double CQuillGraphics::LineTo(double x, double y, double antialias) {
    return DrawLine(gfxX, gfxY, x, y, antialias);
}

double CQuillGraphics::DrawCircle(double x, double y, double r, double fill, double antialias) {
    const bool outline = quill::isZero(fill);
    if (outline) {
        applyFrameColor();
    } else {
        applyFillColor();
    }
    callBridge(drawing.setSmoothing, adapter, smoothingFor(antialias));
    callBridge(drawing.drawEllipse, adapter, x - r, y - r, x + r + 1, y + r + 1, outline ? 0 : kFilled);
    gfxX = x;
    gfxY = y;
    return 0.0;
}

double CQuillGraphics::DrawImage(double slot, double, double, double srcX, double srcY) {
    ImageSlot& image = ResolveImage(quill::toIndex(slot));
    const double right = gfxX + image.width;
    const double bottom = gfxY + image.height;
    if (callBridge(drawing.imageDraw, image.holder, adapter, gfxX, gfxY, right, bottom, srcX, srcY) == 0) {
        drawErrorBox(gfxX, gfxY, right, bottom);
    }
    return 0.0;
}

void CQuillGraphics::drawErrorBox(double left, double top, double right, double bottom) {
    callBridge(drawing.setFillColor, adapter, 255, 0, 0, 255);
    callBridge(drawing.drawRect, adapter, left, top, right, bottom, kFilled);
    callBridge(drawing.setFontColor, adapter, 255, 255, 0, 255);
    callBridge(drawing.drawTextInRect, adapter, "ERROR", left, top, right, bottom, 0, kAlignCentre);
}

double CQuillGraphics::DrawText(double id) {
    applyFontColor();
    callBridge(drawing.setSmoothing, adapter, kSmoothingOn);
    const std::string text = StringGet(id);
    size_t start = 0;
    for (;;) {
        const size_t lineFeed = text.find('\n', start);
        const std::string line =
            text.substr(start, lineFeed == std::string::npos ? std::string::npos : lineFeed - start);
        // A context without a usable font measures -1; such a line takes no room.
        const double width = std::max(0.0, callBridge(drawing.textWidth, adapter, line.c_str()));
        callBridge(drawing.drawTextInRect, adapter, line.c_str(), gfxX, gfxY, gfxX + width,
                   gfxY + gfxTextHeight + 2, 0, kAlignLeft);
        if (lineFeed == std::string::npos) {
            gfxX += width;
            break;
        }
        gfxY += gfxTextHeight;
        start = lineFeed + 1;
    }
    return 0.0;
}

double CQuillGraphics::formatInto(double dest, double format, const double* values, size_t count) {
    const std::string pattern = StringGet(format);
    std::string result =
        quill::formatValues(pattern, values, count, [this](double id) { return std::string(StringGet(id)); });
    StringGet(dest) = std::move(result);
    return dest;
}
