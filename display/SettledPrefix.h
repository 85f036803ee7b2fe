// The leading commands of the panel's frames that stayed as they were, drawn once into an image of
// their own. Repainting part of the panel starts from a copy of that image, so that the large
// anti-aliased shapes among those commands (the radar's circles) are never drawn cut by a repaint's
// clip, which would blend their edge pixels differently from drawing them whole. GUI thread.
#pragma once

#include <cstdint>
#include <vector>

#include "display/PaintRecording.h"
#include "display/TileDamage.h"

namespace VSTGUI {
class CDrawContext;
class COffscreenContext;
}  // namespace VSTGUI

class SettledPrefix {
  public:
    SettledPrefix() = default;
    SettledPrefix(const SettledPrefix&) = delete;
    SettledPrefix& operator=(const SettledPrefix&) = delete;
    ~SettledPrefix();

    // A surface of this size with nothing settled yet.
    void reset(int32_t width, int32_t height);
    void invalidate() { hashes_.clear(); }

    // Makes the image hold the frame's first count() commands: those it held while the frame still
    // starts with them, then as many more as the frame shares with the one before (the first command
    // at least, which covers the surface). The damage's checkpoint follows the same commands.
    void update(const PaintRecording& frame, const std::vector<uint64_t>& previousFrame,
                CHostAdapter* adapter, TileDamage& damage);
    size_t count() const { return hashes_.size(); }

    // Copies the image's pixels in area onto target at the same place; opaque: they are all opaque
    // (the cover was), so they may replace the target's instead of blending over them.
    void copyOnto(VSTGUI::CDrawContext& target, const PixelBox& area, bool opaque) const;

  private:
    void draw(const PaintRecording& frame, size_t from, size_t to, CHostAdapter* adapter, TileDamage& damage);

    VSTGUI::COffscreenContext* image_ = nullptr;
    int32_t width_ = 0, height_ = 0;
    std::vector<uint64_t> hashes_;  // of the commands the image holds
};
