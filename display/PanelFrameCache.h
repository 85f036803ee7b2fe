// The panel's frames drawn through a retained image: a frame's drawing is recorded instead of drawn,
// compared tile by tile with the frame before, drawn into the image again only where it differs,
// and the image is copied onto the paint. The paint gets the same pixels as from drawing the whole
// frame onto it: a repaint starts from the settled leading commands (the opaque background first,
// so nothing of the old pixels shows), and grows until it cuts no anti-aliased shape. A frame that
// does not start with an image over the whole surface (its artwork is missing) is drawn onto the
// paint from its recording as it came. GUI thread.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "display/PaintRecording.h"
#include "display/SettledPrefix.h"
#include "display/TileDamage.h"
#include "runtime/DrawingBridges.h"

namespace VSTGUI {
class CDrawContext;
class COffscreenContext;
}  // namespace VSTGUI

class PanelFrameCache {
  public:
    PanelFrameCache() = default;
    PanelFrameCache(const PanelFrameCache&) = delete;
    PanelFrameCache& operator=(const PanelFrameCache&) = delete;
    ~PanelFrameCache();

    // Switched off, every frame goes straight onto the paint (the comparison the tests make).
    void setEnabled(bool enabled);

    // Starts recording a frame of width x height for the adapter's paint in progress: until finish,
    // drawing through `drawing` is recorded and measured on the retained image. false: the frame is
    // to be drawn straight onto the paint (none in progress, switched off, no usable size).
    bool begin(CHostAdapter* adapter, DrawingBridges& drawing, double width, double height);
    // Draws what changed into the retained image and copies it onto the paint.
    void finish();

    // The pixels the last frame drew again.
    int64_t lastRepaintArea() const { return repaintArea_; }

    // The recording bridges reach the frame in progress through these. GUI thread.
    static PanelFrameCache* recordingFor(CHostAdapter* adapter);
    VSTGUI::CDrawContext& canvas();
    PaintRecording& recording() { return recording_; }
    double measure(const char* utf8);
    void movePen(double x, double y);
    void lineFromPen(double x, double y);

  private:
    void ensureImage(int32_t width, int32_t height);
    void drawAsRecorded();
    const std::vector<PixelBox>& changedAreas();
    void repaintAreas(const std::vector<PixelBox>& changed);
    void copyOntoPaint();
    void repaint(const PixelBox& area);
    PixelBox withWholeShapes(PixelBox area) const;
    bool startsWithCover() const;

    bool enabled_ = true;
    VSTGUI::COffscreenContext* image_ = nullptr;
    int32_t width_ = 0, height_ = 0;
    PaintRecording recording_;
    TileDamage damage_;
    SettledPrefix settled_;
    std::vector<uint64_t> previousHashes_;  // the last cached frame's commands
    std::vector<PixelBox> areas_;
    std::vector<PixelBox> shapes_;
    bool opaque_ = false;  // the frame's cover, and so the retained image, is opaque everywhere
    // The frame in progress.
    CHostAdapter* adapter_ = nullptr;
    DrawingBridges* drawing_ = nullptr;
    DrawingBridges direct_{};
    VSTGUI::CDrawContext* paint_ = nullptr;
    double penX_ = 0, penY_ = 0;
    // Text widths by font and text: measuring is a good part of a frame, and the same texts come back.
    std::unordered_map<std::string, double> widths_;
    std::string widthKey_;
    int64_t repaintArea_ = 0;
};
