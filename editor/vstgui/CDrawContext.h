// A drawing target with its current pen, fill, font, clip and origin offset. The state logic is
// shared; the drawing itself goes to the platform's 2-D library through an opaque handle.
#pragma once

#include <cstdint>

#include "editor/vstgui/CBaseObject.h"
#include "editor/vstgui/CColor.h"
#include "editor/vstgui/CRect.h"
#include "editor/vstgui/ViewTypes.h"

namespace VSTGUI {

class CBitmap;
class CFontDesc;
class CFrame;

enum CLineStyle : int32_t { kLineSolid = 0, kLineOnOffDash = 1 };
enum CDrawMode : int32_t { kCopyMode = 0, kOrMode = 1, kXorMode = 2, kAntialias = 3 };
enum CHoriTxtAlign : int32_t { kLeftText = 0, kCenterText = 1, kRightText = 2 };

class CDrawContext : public CBaseObject {
  public:
    // systemContext: the platform's drawing handle for a window paint (a cairo_t* on Linux), or null.
    // window: the platform's window handle, or null.
    CDrawContext(CFrame* frame, void* systemContext, void* window);
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;
    // GUI thread.
    ~CDrawContext() override;

    void moveTo(const CPoint& point);
    void lineTo(const CPoint& point);
    // pairs holds 2 x count points: each pair is one line.
    void drawLines(const CPoint* pairs, int32_t count);
    void drawPolygon(const CPoint* points, int32_t count, CDrawStyle style = kDrawStroked,
                     bool closed = true);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void fillRect(const CRect& rect);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
    // Angles in degrees, clockwise from the positive x axis; an end below the start wraps once.
    void drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style = kDrawStroked);
    void drawPoint(const CPoint& point, const CColor& color);
    // The context never reads pixels back: always opaque black.
    CColor getPoint(const CPoint& point) const;

    void setLineStyle(int32_t style);
    int32_t getLineStyle() const { return lineStyle_; }
    void setLineWidth(CCoord width);
    // Applies the width only when it differs from the current one.
    void setLineWidthIfChanged(CCoord width);
    CCoord getLineWidth() const { return lineWidth_; }
    void setDrawMode(int32_t mode);
    int32_t getDrawMode() const { return drawMode_; }

    // Rectangles are in the caller's coordinates (the origin offset is added).
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    void resetClipRect();

    void setFillColor(const CColor& color);
    CColor getFillColor() const { return fillColor_; }
    void setFrameColor(const CColor& color);
    CColor getFrameColor() const { return frameColor_; }
    void setFontColor(const CColor& color);
    CColor getFontColor() const { return fontColor_; }

    // size <= 0: the description's size; style -1: the description's style.
    void setFont(CFontDesc* font, CCoord size = 0, int32_t style = -1);
    CFontDesc* getFont() const { return font_; }
    // -1 without text, font or drawing target.
    CCoord getStringWidth(const char* utf8);
    // The bottom of the font's line height lies one pixel below the point.
    void drawString(const char* utf8, const CPoint& point, bool antialias = true);
    void drawString(const char* utf8, const CRect& rect, int32_t hAlign = kCenterText, bool antialias = true);

    void setOffset(const CPoint& offset) { offset_ = offset; }
    const CPoint& getOffset() const { return offset_; }
    void setWindowOffset(const CPoint& offset) { windowOffset_ = offset; }
    const CPoint& getWindowOffset() const { return windowOffset_; }

    // Pointer position in window coordinates, as the frame reports it.
    void getMouseLocation(CPoint& point) const;
    CButtonState getMouseButtons() const;
    // Modal polling is not offered by this toolkit's window layers: both answer no.
    bool waitDoubleClick() { return false; }
    bool waitDrag() { return false; }

    CFrame* getFrame() const { return frame_; }
    void* getWindow() const { return window_; }
    // Platform state changes actually made (colours, pen, mode, clip); unchanged values are skipped.
    uint32_t getStateChangeCount() const { return stateChanges_; }

    // The platform layer's own state, for the platform's bitmap and offscreen code.
    struct Platform;
    Platform* getPlatform() const { return platform_; }

  protected:
    // For offscreen contexts: draws into the bitmap from now on.
    void attachToBitmap(CBitmap* bitmap);
    void setInitialClip(const CRect& clip) { clip_ = clip; }

  private:
    CPoint toDevice(const CPoint& p) const { return p + offset_; }
    void countStateChange() { ++stateChanges_; }

    // Implemented by the platform backend.
    void platformCreate(void* systemContext);
    void platformCreateForBitmap(CBitmap* bitmap);
    void platformDestroy();
    bool platformHasTarget() const;
    void platformApplyPen();
    void platformApplyLineStyle();
    void platformApplyDrawMode();
    void platformSetClip(int32_t left, int32_t top, int32_t width, int32_t height);
    void platformLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void platformPolygon(const float* xy, int32_t count, bool fill, bool stroke, bool closed);
    void platformFillRect(double x, double y, double width, double height);
    void platformStrokeRect(double x, double y, double width, double height);
    void platformEllipse(double x, double y, double width, double height, bool fill, bool stroke);
    void platformArc(double x, double y, double width, double height, double start, double sweep, bool fill,
                     bool stroke);
    double platformStringWidth(const char* utf8);
    double platformFontHeight();
    void platformDrawString(const char* utf8, double left, double top, bool antialias);

    CFrame* frame_ = nullptr;
    void* window_ = nullptr;
    Platform* platform_ = nullptr;
    CPoint windowOffset_;
    CPoint offset_;
    CPoint penPosition_;
    CFontDesc* font_ = nullptr;
    CColor fontColor_ = kWhiteCColor;
    CColor frameColor_ = kWhiteCColor;
    CColor fillColor_ = kBlackCColor;
    CCoord lineWidth_ = 1;
    int32_t lineStyle_ = kLineSolid;
    int32_t drawMode_ = kCopyMode;
    CRect clip_;
    uint32_t stateChanges_ = 0;
};

}  // namespace VSTGUI
