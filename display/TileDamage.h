// Which parts of a surface a frame changed: the surface is cut into square tiles, and each tile
// keeps a hash of the commands that reach it, in their order. A tile whose hash differs from the
// frame before has to be drawn again; the changed tiles come out as rectangles. GUI thread.
#pragma once

#include <cstdint>
#include <vector>

#include "display/PaintRecording.h"

class TileDamage {
  public:
    static constexpr int32_t kTile = 16;

    // A surface of this size whose previous frame is unknown: every tile counts as changed.
    void reset(int32_t width, int32_t height);
    // Forgets the previous frame (the surface was drawn otherwise meanwhile).
    void invalidate() { previousValid_ = false; }

    // The tiles' hashes after a frame's leading commands that do not change from frame to frame, kept
    // so that a frame need not hash them again: emptied, then extended command by command.
    void resetCheckpoint();
    void addToCheckpoint(const PaintCommand& command);

    // Starts a frame from the checkpoint; then each command after those, in drawing order.
    void beginFrame();
    void add(const PaintCommand& command);
    // A command that may reach every tile of box, known by its hash.
    void add(const PixelBox& box, uint64_t hash);

    // The rectangles, within the surface, of the tiles that changed since the frame before; the frame
    // just added becomes the one before.
    const std::vector<PixelBox>& finishFrame();

  private:
    // A fill counts in each tile with the part of it the tile holds.
    void addTo(std::vector<uint64_t>& tiles, const PixelBox& box, uint64_t hash, bool fill) const;

    int32_t width_ = 0, height_ = 0;
    int32_t columns_ = 0, rows_ = 0;
    std::vector<uint64_t> current_, previous_, checkpoint_;
    bool previousValid_ = false;
    std::vector<PixelBox> changed_;
};
