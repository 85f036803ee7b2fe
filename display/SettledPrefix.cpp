#include "display/SettledPrefix.h"

#include <algorithm>

#include "editor/vstgui/COffscreenContext.h"
#include "plugin/boundary/HostAdapter.h"

using VSTGUI::CRect;

namespace {

// How many commands the frame starts with that hashes lists too.
size_t sharedStart(const std::vector<PaintCommand>& commands, const std::vector<uint64_t>& hashes) {
    const size_t n = std::min(commands.size(), hashes.size());
    size_t i = 0;
    while (i < n && commands[i].hash == hashes[i]) ++i;
    return i;
}

}  // namespace

SettledPrefix::~SettledPrefix() {
    if (image_ != nullptr) image_->forget();
}

void SettledPrefix::reset(int32_t width, int32_t height) {
    if (image_ != nullptr) image_->forget();
    image_ = new VSTGUI::COffscreenContext(nullptr, width, height);
    width_ = width;
    height_ = height;
    hashes_.clear();
}

void SettledPrefix::update(const PaintRecording& frame, const std::vector<uint64_t>& previousFrame,
                           CHostAdapter* adapter, TileDamage& damage) {
    const std::vector<PaintCommand>& commands = frame.commands();
    if (commands.empty() || image_ == nullptr) return;
    const size_t settled = sharedStart(commands, previousFrame);
    if (hashes_.empty() || sharedStart(commands, hashes_) < hashes_.size()) {
        // Something the image holds changed: it is drawn again from the surface's cover on.
        hashes_.clear();
        damage.resetCheckpoint();
        draw(frame, 0, std::max<size_t>(1, settled), adapter, damage);
    } else if (settled > hashes_.size()) {
        draw(frame, hashes_.size(), settled, adapter, damage);
    }
}

void SettledPrefix::draw(const PaintRecording& frame, size_t from, size_t to, CHostAdapter* adapter,
                         TileDamage& damage) {
    const std::vector<PaintCommand>& commands = frame.commands();
    VSTGUI::CDrawContext* paint = adapter->currentContext;
    adapter->currentContext = image_;
    image_->setClipRect(CRect(0, 0, width_, height_));
    for (size_t i = from; i < to; ++i) {
        frame.replay(commands[i], adapter);
        hashes_.push_back(commands[i].hash);
        damage.addToCheckpoint(commands[i]);
    }
    adapter->currentContext = paint;
}

void SettledPrefix::copyOnto(VSTGUI::CDrawContext& target, const PixelBox& area, bool opaque) const {
    if (image_ == nullptr) return;
    const CRect dest(area.left, area.top, area.right, area.bottom);
    const VSTGUI::CPoint from(area.left, area.top);
    if (opaque) {
        image_->copyOpaqueFrom(&target, dest, from);
    } else {
        image_->copyFrom(&target, dest, from);
    }
}
