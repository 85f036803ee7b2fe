#include "editor/vstgui/CDrawContext.h"

#include <cmath>
#include <vector>

#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/CFrame.h"

namespace VSTGUI {

namespace {
// Polygons up to this many points are converted without touching the heap.
constexpr int32_t kPolygonStackPoints = 30;

bool isFinite(const CPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}
bool isFinite(const CRect& r) {
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) && std::isfinite(r.bottom);
}
// Towards zero, as a cast does, but saturating: a cast of a value outside int32_t is undefined.
int32_t toInt(double v) {
    constexpr double kLimit = 1 << 29;
    if (!(v > -kLimit)) return -static_cast<int32_t>(kLimit);
    if (v > kLimit) return static_cast<int32_t>(kLimit);
    return static_cast<int32_t>(v);
}
}  // namespace

CDrawContext::CDrawContext(CFrame* frame, void* systemContext, void* window)
    : frame_(frame), window_(window) {
    clip_ = frame ? frame->getViewSize() : CRect(0, 0, 1000, 1000);
    font_ = kSystemFont;
    if (font_) font_->remember();
    if (systemContext) platformCreate(systemContext);
}

CDrawContext::~CDrawContext() {
    if (font_) font_->forget();
    platformDestroy();
}

void CDrawContext::attachToBitmap(CBitmap* bitmap) {
    platformDestroy();
    platformCreateForBitmap(bitmap);
}

void CDrawContext::moveTo(const CPoint& point) {
    if (isFinite(point)) penPosition_ = toDevice(point);
}

void CDrawContext::lineTo(const CPoint& point) {
    if (!isFinite(point)) return;
    const CPoint to = toDevice(point);
    if (platformHasTarget())
        platformLine(toInt(penPosition_.x), toInt(penPosition_.y), toInt(to.x), toInt(to.y));
    penPosition_ = to;
}

void CDrawContext::drawLines(const CPoint* pairs, int32_t count) {
    if (!pairs) return;
    for (int32_t i = 0; i < count; ++i) {
        moveTo(pairs[2 * i]);
        lineTo(pairs[2 * i + 1]);
    }
}

void CDrawContext::drawPolygon(const CPoint* points, int32_t count, CDrawStyle style, bool closed) {
    if (!points || count <= 0 || !platformHasTarget()) return;
    float stackBuffer[2 * kPolygonStackPoints];
    std::vector<float> heapBuffer;
    float* xy = stackBuffer;
    if (count > kPolygonStackPoints) {
        heapBuffer.resize(2 * static_cast<size_t>(count));
        xy = heapBuffer.data();
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!isFinite(points[i])) return;
        xy[2 * i] = static_cast<float>(points[i].x + offset_.x);
        xy[2 * i + 1] = static_cast<float>(points[i].y + offset_.y);
    }
    const bool fill = style == kDrawFilled || style == kDrawFilledAndStroked;
    const bool stroke = style == kDrawStroked || style == kDrawFilledAndStroked;
    platformPolygon(xy, count, fill, stroke, closed);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
    if (!isFinite(rect) || !platformHasTarget()) return;
    CRect r = rect;
    r.normalize().offset(offset_.x, offset_.y);
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
        platformFillRect(r.left, r.top, r.getWidth(), r.getHeight());
    // The outline's right and bottom pixels then fall on the fill's last column and row.
    if (style == kDrawStroked || style == kDrawFilledAndStroked)
        platformStrokeRect(r.left, r.top, r.getWidth() - 1, r.getHeight() - 1);
}

void CDrawContext::fillRect(const CRect& rect) {
    if (!isFinite(rect) || !platformHasTarget()) return;
    CRect r = rect;
    r.normalize().offset(offset_.x, offset_.y);
    platformFillRect(r.left, r.top, r.getWidth(), r.getHeight());
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
    if (!isFinite(rect) || !platformHasTarget()) return;
    CRect r = rect;
    r.normalize().offset(offset_.x, offset_.y);
    const double x = toInt(r.left);
    const double y = toInt(r.top);
    const double w = toInt(r.getWidth()) - 1;
    const double h = toInt(r.getHeight()) - 1;
    const bool fill = style == kDrawFilled || style == kDrawFilledAndStroked;
    const bool stroke = style == kDrawStroked || style == kDrawFilledAndStroked;
    platformEllipse(x, y, w, h, fill, stroke);
}

void CDrawContext::drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style) {
    if (!isFinite(rect) || !std::isfinite(startAngle) || !std::isfinite(endAngle) || !platformHasTarget())
        return;
    if (endAngle < startAngle) endAngle += 360.f;
    const double sweep = std::fabs(endAngle - startAngle);
    CRect r = rect;
    r.offset(offset_.x, offset_.y);
    const bool fill = style == kDrawFilled || style == kDrawFilledAndStroked;
    const bool stroke = style == kDrawStroked || style == kDrawFilledAndStroked;
    platformArc(r.left, r.top, r.getWidth(), r.getHeight(), startAngle, sweep, fill, stroke);
}

void CDrawContext::drawPoint(const CPoint& point, const CColor& color) {
    const CColor oldColor = frameColor_;
    const CCoord oldWidth = lineWidth_;
    setLineWidthIfChanged(1);
    setFrameColor(color);
    moveTo(point);
    lineTo(CPoint(point.x + 1, point.y));
    setFrameColor(oldColor);
    setLineWidthIfChanged(oldWidth);
}

CColor CDrawContext::getPoint(const CPoint&) const {
    return kBlackCColor;
}

void CDrawContext::setLineStyle(int32_t style) {
    if (style == lineStyle_) return;
    lineStyle_ = style;
    countStateChange();
    platformApplyLineStyle();
}

void CDrawContext::setLineWidth(CCoord width) {
    if (!std::isfinite(width) || width < 0) return;
    lineWidth_ = width;
    countStateChange();
    platformApplyPen();
}

void CDrawContext::setLineWidthIfChanged(CCoord width) {
    if (width != lineWidth_) setLineWidth(width);
}

void CDrawContext::setDrawMode(int32_t mode) {
    if (mode == drawMode_) return;
    drawMode_ = mode;
    countStateChange();
    platformApplyDrawMode();
}

void CDrawContext::setClipRect(const CRect& clip) {
    if (!isFinite(clip)) return;
    CRect c = clip;
    c.offset(offset_.x, offset_.y);
    if (c == clip_) return;
    clip_ = c;
    countStateChange();
    // Each edge is rounded on its own: the pixels of the intersection of two clips are then those both
    // clips hold, so that a text clipped within a partial repaint covers what it covers in a full one.
    if (platformHasTarget()) {
        const int32_t left = toInt(c.left);
        const int32_t top = toInt(c.top);
        platformSetClip(left, top, toInt(c.right) - left, toInt(c.bottom) - top);
    }
}

CRect& CDrawContext::getClipRect(CRect& clip) const {
    clip = clip_;
    clip.offset(-offset_.x, -offset_.y);
    return clip;
}

void CDrawContext::resetClipRect() {
    setClipRect(frame_ ? frame_->getViewSize() : CRect(0, 0, 1000, 1000));
}

void CDrawContext::setFillColor(const CColor& color) {
    if (color == fillColor_) return;
    fillColor_ = color;
    countStateChange();
}

void CDrawContext::setFrameColor(const CColor& color) {
    if (color == frameColor_) return;
    frameColor_ = color;
    countStateChange();
    platformApplyPen();
}

void CDrawContext::setFontColor(const CColor& color) {
    fontColor_ = color;
    countStateChange();
}

void CDrawContext::setFont(CFontDesc* font, CCoord size, int32_t style) {
    if (!font) return;
    if (!(size > 0)) size = font->getSize();
    if (style == -1) style = font->getStyle();
    CFontDesc* next = font;
    if (size == font->getSize() && style == font->getStyle())
        next->remember();
    else
        next = new CFontDesc(font->getName(), size, style);
    if (font_) font_->forget();
    font_ = next;
}

CCoord CDrawContext::getStringWidth(const char* utf8) {
    if (!utf8 || !font_ || !platformHasTarget()) return -1;
    return platformStringWidth(utf8);
}

void CDrawContext::drawString(const char* utf8, const CPoint& point, bool antialias) {
    if (!utf8 || !font_ || !platformHasTarget() || !isFinite(point)) return;
    const double top = point.y + offset_.y + 1 - platformFontHeight();
    platformDrawString(utf8, point.x + offset_.x, top, antialias);
}

void CDrawContext::drawString(const char* utf8, const CRect& rect, int32_t hAlign, bool antialias) {
    if (!utf8 || !font_ || !platformHasTarget() || !isFinite(rect)) return;
    const CCoord width = getStringWidth(utf8);
    CCoord x = rect.left + rect.getWidth() / 2 - width / 2;
    if (hAlign == kLeftText)
        x = rect.left;
    else if (hAlign == kRightText)
        x = rect.right - width;
    const CCoord y = rect.bottom - (rect.getHeight() / 2 - font_->getSize() / 2 + 1);

    CRect oldClip;
    getClipRect(oldClip);
    CRect clip = rect;
    clip.bound(oldClip);
    setClipRect(clip);
    drawString(utf8, CPoint(x, y), antialias);
    setClipRect(oldClip);
}

void CDrawContext::getMouseLocation(CPoint& point) const {
    // The window offset starts at the window's own origin and grows by each container's top-left.
    point = CPoint();
    if (frame_) frame_->getCurrentMouseLocation(point);
    point = point - windowOffset_;
}

CButtonState CDrawContext::getMouseButtons() const {
    return frame_ ? frame_->getCurrentMouseButtons() : 0;
}

}  // namespace VSTGUI
