#include "display/PaintRecording.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "display/GraphicsBridges.h"
#include "display/ImageBridges.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/ViewTypes.h"
#include "plugin/boundary/HostAdapter.h"

using VSTGUI::CColor;
using VSTGUI::CDrawContext;

namespace {

// Pixel margins around a command's coordinates: an anti-aliased line or outline reaches a pixel
// beyond its end points (which the context also rounds), a text is clipped to its rectangle, an
// image lies in its destination rounded to whole pixels.
constexpr int kLineMargin = 3;
constexpr int kShapeMargin = 2;
constexpr int kClippedMargin = 1;

// Far enough outside any surface; a command whose coordinates are not numbers is taken to reach
// everywhere, which is never wrong, only slower.
constexpr double kFar = 1 << 20;

int32_t pixelBelow(double v) {
    return static_cast<int32_t>(std::floor(std::max(-kFar, std::min(kFar, v))));
}
int32_t pixelAbove(double v) {
    return static_cast<int32_t>(std::ceil(std::max(-kFar, std::min(kFar, v))));
}

class Hash {
  public:
    void word(uint64_t v) {
        h_ ^= v;
        h_ *= 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    void real(double v) {
        uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        word(bits);
    }
    void color(const CColor& c) { word(VSTGUI::toArgb(c)); }
    void text(const char* s) {
        for (; *s != '\0'; ++s) word(static_cast<unsigned char>(*s));
        word(0x100);
    }
    uint64_t value() const { return h_; }

  private:
    uint64_t h_ = 0x243F6A8885A308D3ull;
};

bool validStyle(int32_t style) {
    return style >= VSTGUI::kDrawStroked && style <= VSTGUI::kDrawFilledAndStroked;
}

}  // namespace

bool drawsTheSameWhenCut(const PaintCommand& c) {
    switch (c.kind) {
        case PaintKind::kImage:
        case PaintKind::kText:
            return true;
        case PaintKind::kRect:
            return c.style == VSTGUI::kDrawFilled && c.drawMode != VSTGUI::kAntialias &&
                   std::floor(c.left) == c.left && std::floor(c.top) == c.top &&
                   std::floor(c.right) == c.right && std::floor(c.bottom) == c.bottom;
        case PaintKind::kLine:
        case PaintKind::kEllipse:
            return false;
    }
    return false;
}

PaintRecording::~PaintRecording() {
    clear();
}

void PaintRecording::clear() {
    for (PaintCommand& command : commands_) {
        if (command.font != nullptr) command.font->forget();
    }
    commands_.clear();
    text_.clear();
}

PaintCommand& PaintRecording::add(PaintKind kind, const CDrawContext& context, double left, double top,
                                  double right, double bottom) {
    commands_.emplace_back();
    PaintCommand& command = commands_.back();
    command.kind = kind;
    command.left = left;
    command.top = top;
    command.right = right;
    command.bottom = bottom;
    command.drawMode = context.getDrawMode();
    command.fillColor = context.getFillColor();
    command.frameColor = context.getFrameColor();
    command.fontColor = context.getFontColor();
    return command;
}

// The command's pixel box and hash, from its coordinates and the state its kind draws with.
void PaintRecording::seal(PaintCommand& c, int margin) {
    const double coordinates[] = {c.left, c.top, c.right, c.bottom, c.srcX, c.srcY};
    const bool finite = std::all_of(std::begin(coordinates), std::end(coordinates),
                                    [](double v) { return std::isfinite(v); });
    if (finite) {
        c.box = {
            pixelBelow(std::min(c.left, c.right)) - margin, pixelBelow(std::min(c.top, c.bottom)) - margin,
            pixelAbove(std::max(c.left, c.right)) + margin, pixelAbove(std::max(c.top, c.bottom)) + margin};
    } else {
        c.box = {-static_cast<int32_t>(kFar), -static_cast<int32_t>(kFar), static_cast<int32_t>(kFar),
                 static_cast<int32_t>(kFar)};
    }
    Hash hash;
    hash.word(static_cast<uint64_t>(c.kind));
    hash.word(static_cast<uint32_t>(c.style));
    // Images are copied pixel for pixel whatever the smoothing, which a frame leaves as it was for them.
    if (c.kind != PaintKind::kImage) hash.word(static_cast<uint32_t>(c.drawMode));
    for (double v : coordinates) hash.real(v);
    switch (c.kind) {
        case PaintKind::kLine:
            hash.color(c.frameColor);
            break;
        case PaintKind::kRect:
        case PaintKind::kEllipse:
            // Only the colours the style uses: the other is whatever an earlier drawing left.
            if (c.style != VSTGUI::kDrawStroked) hash.color(c.fillColor);
            if (c.style != VSTGUI::kDrawFilled) hash.color(c.frameColor);
            break;
        case PaintKind::kText:
            hash.color(c.fontColor);
            hash.text(c.font->getName() != nullptr ? c.font->getName() : "");
            hash.real(c.font->getSize());
            hash.word(static_cast<uint32_t>(c.font->getStyle()));
            hash.text(text_.c_str() + c.textStart);
            break;
        case PaintKind::kImage:
            hash.word(imageContent(c.image));
            break;
    }
    c.hash = hash.value();
}

void PaintRecording::line(const CDrawContext& context, double x1, double y1, double x2, double y2) {
    PaintCommand& c = add(PaintKind::kLine, context, x1, y1, x2, y2);
    seal(c, kLineMargin);
}

PaintCommand* PaintRecording::shape(PaintKind kind, const CDrawContext& context, double left, double top,
                                    double right, double bottom, int32_t style) {
    if (!validStyle(style)) return nullptr;
    PaintCommand& c = add(kind, context, left, top, right, bottom);
    c.style = style;
    seal(c, kShapeMargin);
    return &c;
}

bool PaintRecording::rect(const CDrawContext& context, double left, double top, double right, double bottom,
                          int32_t style) {
    PaintCommand* c = shape(PaintKind::kRect, context, left, top, right, bottom, style);
    if (c == nullptr) return false;
    if (drawsTheSameWhenCut(*c)) {
        c->box = {pixelBelow(std::min(left, right)), pixelBelow(std::min(top, bottom)),
                  pixelBelow(std::max(left, right)), pixelBelow(std::max(top, bottom))};
        Hash fill;
        fill.word(static_cast<uint64_t>(c->kind));
        fill.word(static_cast<uint32_t>(c->drawMode));
        fill.color(c->fillColor);
        c->fillHash = fill.value() | 1;
    }
    return true;
}

bool PaintRecording::ellipse(const CDrawContext& context, double left, double top, double right,
                             double bottom, int32_t style) {
    return shape(PaintKind::kEllipse, context, left, top, right, bottom, style) != nullptr;
}

void PaintRecording::text(const CDrawContext& context, const char* utf8, double left, double top,
                          double right, double bottom, int32_t alignment) {
    // Without a font the context draws no text.
    if (utf8 == nullptr || context.getFont() == nullptr) return;
    PaintCommand& c = add(PaintKind::kText, context, left, top, right, bottom);
    c.style = alignment;
    c.font = context.getFont();
    c.font->remember();
    c.textStart = text_.size();
    text_.append(utf8);
    text_.push_back('\0');
    seal(c, kClippedMargin);
}

void PaintRecording::image(const CDrawContext& context, ImageHolder* holder, double left, double top,
                           double right, double bottom, double srcX, double srcY) {
    PaintCommand& c = add(PaintKind::kImage, context, left, top, right, bottom);
    c.image = holder;
    c.srcX = srcX;
    c.srcY = srcY;
    seal(c, kClippedMargin);
}

void PaintRecording::replay(const PaintCommand& c, CHostAdapter* adapter) const {
    CDrawContext* context = adapter->currentContext;
    context->setDrawMode(c.drawMode);
    switch (c.kind) {
        case PaintKind::kLine:
            context->setFrameColor(c.frameColor);
            contextMoveTo(adapter, c.left, c.top);
            contextLineTo(adapter, c.right, c.bottom);
            break;
        case PaintKind::kRect:
            context->setFillColor(c.fillColor);
            context->setFrameColor(c.frameColor);
            contextDrawRect(adapter, c.left, c.top, c.right, c.bottom, c.style);
            break;
        case PaintKind::kEllipse:
            context->setFillColor(c.fillColor);
            context->setFrameColor(c.frameColor);
            contextDrawEllipse(adapter, c.left, c.top, c.right, c.bottom, c.style);
            break;
        case PaintKind::kText:
            context->setFont(c.font);
            context->setFontColor(c.fontColor);
            contextDrawTextInRect(adapter, text_.c_str() + c.textStart, c.left, c.top, c.right, c.bottom, 0,
                                  c.style);
            break;
        case PaintKind::kImage:
            imageDraw(c.image, adapter, c.left, c.top, c.right, c.bottom, c.srcX, c.srcY);
            break;
    }
}
