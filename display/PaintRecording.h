// One frame's drawing kept as a list of commands, each with the context state it draws with, the
// pixels it can touch and a hash of everything that decides those pixels: what the panel's frame
// cache compares between frames and draws again where something changed. GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/vstgui/CColor.h"

class CHostAdapter;
struct ImageHolder;
namespace VSTGUI {
class CDrawContext;
class CFontDesc;
}  // namespace VSTGUI

// The pixels [left, right) x [top, bottom) of a surface.
struct PixelBox {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool intersects(const PixelBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool contains(const PixelBox& o) const {
        return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
    }
    // The smallest box holding both.
    PixelBox united(const PixelBox& o) const {
        return {left < o.left ? left : o.left, top < o.top ? top : o.top, right > o.right ? right : o.right,
                bottom > o.bottom ? bottom : o.bottom};
    }
};

enum class PaintKind : uint8_t { kLine, kRect, kEllipse, kText, kImage };

struct PaintCommand {
    PaintKind kind = PaintKind::kLine;
    int32_t style = 0;  // the rectangle's or ellipse's style, or the text's alignment
    // A line runs from (left, top) to (right, bottom).
    double left = 0, top = 0, right = 0, bottom = 0;
    double srcX = 0, srcY = 0;
    ImageHolder* image = nullptr;
    size_t textStart = 0;  // into the recording's text, each text ending in a NUL
    // The context state the command draws with.
    int32_t drawMode = 0;
    VSTGUI::CColor fillColor, frameColor, fontColor;
    VSTGUI::CFontDesc* font = nullptr;  // held by the recording while it holds the command
    PixelBox box;                       // every pixel the command can change lies in it
    uint64_t hash = 0;
    // A fill of whole pixels in one colour: the hash of all but its place, and box is what it fills.
    // Its part of any tile then says what it draws there. 0 for every other command.
    uint64_t fillHash = 0;
};

// Whether the command draws its pixels inside a clip that cuts it just as it draws them unclipped:
// images and fills on whole pixels do, texts too (they are clipped to their own rectangle anyway);
// anti-aliased shapes do not, their edges blend otherwise when cut.
bool drawsTheSameWhenCut(const PaintCommand& command);

class PaintRecording {
  public:
    PaintRecording() = default;
    PaintRecording(const PaintRecording&) = delete;
    PaintRecording& operator=(const PaintRecording&) = delete;
    ~PaintRecording();

    void clear();

    // Each records what the bridge of the same name would draw onto context now, with the state
    // context holds; a drawing the bridge would refuse is not recorded (false).
    void line(const VSTGUI::CDrawContext& context, double x1, double y1, double x2, double y2);
    bool rect(const VSTGUI::CDrawContext& context, double left, double top, double right, double bottom,
              int32_t style);
    bool ellipse(const VSTGUI::CDrawContext& context, double left, double top, double right, double bottom,
                 int32_t style);
    void text(const VSTGUI::CDrawContext& context, const char* utf8, double left, double top, double right,
              double bottom, int32_t alignment);
    void image(const VSTGUI::CDrawContext& context, ImageHolder* holder, double left, double top,
               double right, double bottom, double srcX, double srcY);

    const std::vector<PaintCommand>& commands() const { return commands_; }

    // Draws the command onto the adapter's current context through the drawing bridges, as it was
    // drawn when recorded.
    void replay(const PaintCommand& command, CHostAdapter* adapter) const;

  private:
    PaintCommand& add(PaintKind kind, const VSTGUI::CDrawContext& context, double left, double top,
                      double right, double bottom);
    // A rectangle or ellipse; null for a style the bridges refuse.
    PaintCommand* shape(PaintKind kind, const VSTGUI::CDrawContext& context, double left, double top,
                        double right, double bottom, int32_t style);
    void seal(PaintCommand& command, int margin);

    std::vector<PaintCommand> commands_;
    std::string text_;
};
