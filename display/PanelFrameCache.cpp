#include "display/PanelFrameCache.h"

#include <algorithm>
#include <cmath>

#include "display/GraphicsBridges.h"
#include "display/ImageBridges.h"
#include "editor/vstgui/COffscreenContext.h"
#include "editor/vstgui/CFontDesc.h"
#include "plugin/boundary/HostAdapter.h"

using VSTGUI::CRect;

namespace {

// The image limit the toolkit's bitmaps keep to; a panel this large is not cached.
constexpr double kLargestSide = 8192;
constexpr size_t kMostWidths = 4096;

// The frame being recorded on this thread: each GUI thread paints one frame at a time.
thread_local PanelFrameCache* recordingNow = nullptr;

// The bridges a recorded frame draws through: drawing becomes commands, the rest (colours, fonts,
// measuring) acts on the retained image, whose state the commands take with them.
int32_t recordMoveTo(CHostAdapter* adapter, double x, double y) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    if (cache == nullptr) return 0;
    cache->movePen(x, y);
    return 1;
}

int32_t recordLineTo(CHostAdapter* adapter, double x, double y) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    if (cache == nullptr) return 0;
    cache->lineFromPen(x, y);
    return 1;
}

int32_t recordRect(CHostAdapter* adapter, double left, double top, double right, double bottom,
                   int32_t style) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    if (cache == nullptr) return 0;
    return cache->recording().rect(cache->canvas(), left, top, right, bottom, style) ? 1 : 0;
}

int32_t recordEllipse(CHostAdapter* adapter, double left, double top, double right, double bottom,
                      int32_t style) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    if (cache == nullptr) return 0;
    return cache->recording().ellipse(cache->canvas(), left, top, right, bottom, style) ? 1 : 0;
}

int32_t recordText(CHostAdapter* adapter, const char* utf8, double left, double top, double right,
                   double bottom, uint8_t, int32_t alignment) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    if (cache == nullptr || utf8 == nullptr) return 0;
    cache->recording().text(cache->canvas(), utf8, left, top, right, bottom, alignment);
    return 1;
}

int32_t recordImage(ImageHolder* holder, CHostAdapter* adapter, double left, double top, double right,
                    double bottom, double srcX, double srcY) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    // An empty holder draws nothing and says so, for the caller's error box.
    if (cache == nullptr || imageContent(holder) == 0) return 0;
    cache->recording().image(cache->canvas(), holder, left, top, right, bottom, srcX, srcY);
    return 1;
}

double recordTextWidth(CHostAdapter* adapter, const char* utf8) {
    PanelFrameCache* cache = PanelFrameCache::recordingFor(adapter);
    if (cache == nullptr) return 0.0;
    return cache->measure(utf8);
}

}  // namespace

PanelFrameCache::~PanelFrameCache() {
    if (recordingNow == this) recordingNow = nullptr;
    recording_.clear();
    if (image_ != nullptr) image_->forget();
}

void PanelFrameCache::setEnabled(bool enabled) {
    enabled_ = enabled;
    damage_.invalidate();
    settled_.invalidate();
}

PanelFrameCache* PanelFrameCache::recordingFor(CHostAdapter* adapter) {
    PanelFrameCache* cache = recordingNow;
    return cache != nullptr && adapter != nullptr && cache->adapter_ == adapter ? cache : nullptr;
}

VSTGUI::CDrawContext& PanelFrameCache::canvas() {
    return *image_;
}

void PanelFrameCache::ensureImage(int32_t width, int32_t height) {
    if (image_ != nullptr && width == width_ && height == height_) return;
    if (image_ != nullptr) image_->forget();
    image_ = new VSTGUI::COffscreenContext(nullptr, width, height);
    width_ = width;
    height_ = height;
    damage_.reset(width, height);
    settled_.reset(width, height);
    previousHashes_.clear();
}

bool PanelFrameCache::begin(CHostAdapter* adapter, DrawingBridges& drawing, double width, double height) {
    if (!enabled_ || adapter == nullptr || adapter->currentContext == nullptr || recordingNow != nullptr)
        return false;
    if (!(width >= 1 && width <= kLargestSide && height >= 1 && height <= kLargestSide)) return false;
    ensureImage(static_cast<int32_t>(width), static_cast<int32_t>(height));
    adapter_ = adapter;
    drawing_ = &drawing;
    direct_ = drawing;
    paint_ = adapter->currentContext;
    drawing.moveTo = recordMoveTo;
    drawing.lineTo = recordLineTo;
    drawing.drawRect = recordRect;
    drawing.drawEllipse = recordEllipse;
    drawing.drawTextInRect = recordText;
    drawing.imageDraw = recordImage;
    drawing.textWidth = recordTextWidth;
    adapter->currentContext = image_;
    recording_.clear();
    recordingNow = this;
    return true;
}

bool PanelFrameCache::startsWithCover() const {
    const std::vector<PaintCommand>& commands = recording_.commands();
    if (commands.empty() || commands.front().kind != PaintKind::kImage) return false;
    const PaintCommand& first = commands.front();
    return first.left <= 0 && first.top <= 0 && first.right >= width_ && first.bottom >= height_;
}

void PanelFrameCache::finish() {
    if (recordingNow != this) return;
    recordingNow = nullptr;
    *drawing_ = direct_;
    adapter_->currentContext = paint_;
    // Without the background under everything, old pixels would show through repainted tiles: such a
    // frame goes onto the paint as it came.
    if (!startsWithCover()) {
        drawAsRecorded();
    } else {
        adapter_->currentContext = image_;
        settled_.update(recording_, previousHashes_, adapter_, damage_);
        opaque_ = imageOpaque(recording_.commands().front().image);
        repaintAreas(changedAreas());
        adapter_->currentContext = paint_;
        copyOntoPaint();
    }
    paint_ = nullptr;
}

void PanelFrameCache::drawAsRecorded() {
    for (const PaintCommand& command : recording_.commands()) recording_.replay(command, adapter_);
    damage_.invalidate();
    settled_.invalidate();
    previousHashes_.clear();
    repaintArea_ = 0;
}

const std::vector<PixelBox>& PanelFrameCache::changedAreas() {
    damage_.beginFrame();
    previousHashes_.clear();
    // The settled commands are in the damage's checkpoint already.
    const std::vector<PaintCommand>& commands = recording_.commands();
    for (size_t i = 0; i < commands.size(); ++i) {
        if (i >= settled_.count()) damage_.add(commands[i]);
        previousHashes_.push_back(commands[i].hash);
    }
    return damage_.finishFrame();
}

void PanelFrameCache::copyOntoPaint() {
    image_->setClipRect(CRect(0, 0, width_, height_));
    const CRect whole(0, 0, width_, height_);
    if (opaque_) {
        image_->copyOpaqueFrom(paint_, whole);
    } else {
        image_->copyFrom(paint_, whole);
    }
}

// Each changed area grown to whole shapes; grown areas that overlap are joined (and grown again), so
// that no command is drawn twice.
void PanelFrameCache::repaintAreas(const std::vector<PixelBox>& changed) {
    // The shapes after the settled commands that would draw otherwise when cut, within the surface,
    // whose edges cut the full frame alike.
    shapes_.clear();
    const std::vector<PaintCommand>& commands = recording_.commands();
    for (size_t i = settled_.count(); i < commands.size(); ++i) {
        const PaintCommand& command = commands[i];
        if (drawsTheSameWhenCut(command)) continue;
        const PixelBox box{std::max(0, command.box.left), std::max(0, command.box.top),
                           std::min(width_, command.box.right), std::min(height_, command.box.bottom)};
        if (!box.empty()) shapes_.push_back(box);
    }
    areas_.clear();
    for (const PixelBox& area : changed) areas_.push_back(withWholeShapes(area));
    for (size_t i = 0; i < areas_.size();) {
        size_t j = i + 1;
        while (j < areas_.size() && !areas_[i].intersects(areas_[j])) ++j;
        if (j == areas_.size()) {
            ++i;
            continue;
        }
        areas_[i] = withWholeShapes(areas_[i].united(areas_[j]));
        areas_.erase(areas_.begin() + static_cast<std::ptrdiff_t>(j));
        i = 0;  // the joined area may now meet an earlier one
    }
    repaintArea_ = 0;
    for (const PixelBox& area : areas_) repaint(area);
}

// The area grown by every shape it would cut, until it cuts none.
PixelBox PanelFrameCache::withWholeShapes(PixelBox area) const {
    for (bool grown = true; grown;) {
        grown = false;
        for (const PixelBox& box : shapes_) {
            if (!box.intersects(area) || area.contains(box)) continue;
            area = area.united(box);
            grown = true;
        }
    }
    return area;
}

void PanelFrameCache::repaint(const PixelBox& area) {
    repaintArea_ += static_cast<int64_t>(area.right - area.left) * (area.bottom - area.top);
    image_->setClipRect(CRect(area.left, area.top, area.right, area.bottom));
    settled_.copyOnto(*image_, area, opaque_);
    const std::vector<PaintCommand>& commands = recording_.commands();
    for (size_t i = settled_.count(); i < commands.size(); ++i) {
        if (commands[i].box.intersects(area)) recording_.replay(commands[i], adapter_);
    }
}

void PanelFrameCache::movePen(double x, double y) {
    // As the context's pen: a point that is not a number leaves it where it is.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    penX_ = x;
    penY_ = y;
}

void PanelFrameCache::lineFromPen(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    recording_.line(*image_, penX_, penY_, x, y);
    penX_ = x;
    penY_ = y;
}

double PanelFrameCache::measure(const char* utf8) {
    const VSTGUI::CFontDesc* font = image_->getFont();
    if (utf8 == nullptr || font == nullptr) return callBridge(direct_.textWidth, adapter_, utf8);
    // The face's name, a NUL (no name holds one), then the size and style as fixed-width bytes and
    // the text: no two fonts and texts share a key.
    const double size = font->getSize();
    const int32_t style = font->getStyle();
    widthKey_.assign(font->getName() != nullptr ? font->getName() : "");
    widthKey_.push_back('\0');
    widthKey_.append(reinterpret_cast<const char*>(&size), sizeof size);
    widthKey_.append(reinterpret_cast<const char*>(&style), sizeof style);
    widthKey_.append(utf8);
    const auto known = widths_.find(widthKey_);
    if (known != widths_.end()) return known->second;
    const double width = callBridge(direct_.textWidth, adapter_, utf8);
    if (widths_.size() >= kMostWidths) widths_.clear();
    widths_.emplace(widthKey_, width);
    return width;
}
