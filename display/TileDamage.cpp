#include "display/TileDamage.h"

#include <algorithm>

namespace {

constexpr uint64_t kEmptyTile = 0x6A09E667F3BCC908ull;

uint64_t combine(uint64_t tile, uint64_t hash) {
    tile = (tile ^ hash) * 0xFF51AFD7ED558CCDull;
    return tile ^ (tile >> 31);
}

}  // namespace

void TileDamage::reset(int32_t width, int32_t height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    columns_ = (width_ + kTile - 1) / kTile;
    rows_ = (height_ + kTile - 1) / kTile;
    const size_t tiles = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    current_.assign(tiles, kEmptyTile);
    previous_.assign(tiles, kEmptyTile);
    checkpoint_.assign(tiles, kEmptyTile);
    previousValid_ = false;
}

void TileDamage::resetCheckpoint() {
    std::fill(checkpoint_.begin(), checkpoint_.end(), kEmptyTile);
}

void TileDamage::addToCheckpoint(const PaintCommand& command) {
    addTo(checkpoint_, command.box, command.fillHash != 0 ? command.fillHash : command.hash,
          command.fillHash != 0);
}

void TileDamage::beginFrame() {
    current_ = checkpoint_;
}

void TileDamage::add(const PaintCommand& command) {
    addTo(current_, command.box, command.fillHash != 0 ? command.fillHash : command.hash,
          command.fillHash != 0);
}

void TileDamage::add(const PixelBox& box, uint64_t hash) {
    addTo(current_, box, hash, false);
}

void TileDamage::addTo(std::vector<uint64_t>& tiles, const PixelBox& box, uint64_t hash, bool fill) const {
    if (box.empty() || box.right <= 0 || box.bottom <= 0) return;
    const int32_t firstColumn = std::max(0, box.left / kTile);
    const int32_t firstRow = std::max(0, box.top / kTile);
    const int32_t lastColumn = std::min(columns_ - 1, (box.right - 1) / kTile);
    const int32_t lastRow = std::min(rows_ - 1, (box.bottom - 1) / kTile);
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        uint64_t* tile = tiles.data() + static_cast<size_t>(row) * static_cast<size_t>(columns_);
        const int32_t top = std::max(box.top, row * kTile);
        const int32_t bottom = std::min(box.bottom, (row + 1) * kTile);
        for (int32_t column = firstColumn; column <= lastColumn; ++column) {
            uint64_t h = hash;
            if (fill) {
                const int32_t left = std::max(box.left, column * kTile);
                const int32_t right = std::min(box.right, (column + 1) * kTile);
                h = combine(combine(h, static_cast<uint64_t>(left) << 32 | static_cast<uint32_t>(top)),
                            static_cast<uint64_t>(right) << 32 | static_cast<uint32_t>(bottom));
            }
            tile[column] = combine(tile[column], h);
        }
    }
}

const std::vector<PixelBox>& TileDamage::finishFrame() {
    changed_.clear();
    const auto differs = [this](size_t tile) { return !previousValid_ || current_[tile] != previous_[tile]; };
    // Runs of changed tiles in each row; a run right under one of the same columns extends that
    // rectangle downwards.
    for (int32_t row = 0; row < rows_; ++row) {
        const size_t base = static_cast<size_t>(row) * static_cast<size_t>(columns_);
        for (int32_t column = 0; column < columns_;) {
            if (!differs(base + static_cast<size_t>(column))) {
                ++column;
                continue;
            }
            int32_t end = column + 1;
            while (end < columns_ && differs(base + static_cast<size_t>(end))) ++end;
            const PixelBox run{column * kTile, row * kTile, std::min(width_, end * kTile),
                               std::min(height_, (row + 1) * kTile)};
            const auto above = std::find_if(changed_.begin(), changed_.end(), [&run](const PixelBox& r) {
                return r.left == run.left && r.right == run.right && r.bottom == run.top;
            });
            if (above != changed_.end()) {
                above->bottom = run.bottom;
            } else {
                changed_.push_back(run);
            }
            column = end;
        }
    }
    previous_.swap(current_);
    previousValid_ = true;
    return changed_;
}
