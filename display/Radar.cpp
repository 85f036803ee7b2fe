#include "display/Radar.h"

#include <cmath>

#include "display/PanelColor.h"
#include "display/PanelDisplay.h"
#include "effect/PanChannel.h"
#include "effect/QuillEffect.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;
using quill::nearlyEqual;

namespace {

constexpr double kBackgroundSlot = 1;
constexpr double kRadarPictureSlot = 0;
constexpr double kDragMargin = 5;
constexpr double kAntialias = 1;
constexpr double kDisc = 1;
constexpr double kCircle = 0;

struct ChannelLook {
    double targetR, targetG, targetB;
    double shownR, shownG, shownB;
    double boxAlpha;
    int buttonBit;
    int firstSlider;  // left-right; front-back is the next one
};

const ChannelLook kLooks[2] = {
    {0, 1, 0, 0, 0.75, 0, 0.15, 1, 1},
    {1, 0, 0, 0.75, 0, 0, 0.3, 2, 3},
};

bool buttonHeld(const DisplayVariables& d, int bit) {
    return (quill::toIndex(d.mouseFlags) & bit) != 0;
}

// A pointer coordinate relative to one edge of the square, clamped to 0..1, and its slider value.
void clampToField(double offset, double extent, double& unit, double& slider) {
    unit = offset / extent;
    if (unit > 1) {
        unit = 1;
        slider = 100;
    } else if (unit > 0) {
        slider = unit * 200 - 100;
    } else {
        unit = 0;
        slider = -100;
    }
}

void setPositionSlider(TQuillEffect& e, int number, double value) {
    e.var.sliderView[number] = value;
    e.sliders[number] = value;
}

void drawBackground(TQuillEffect& e) {
    e.gfxX = e.gfxY = 0;
    e.DrawImage(kBackgroundSlot, 1, 0, 0, 0);
    e.gfxX = e.var.radarLeft;
    e.gfxY = e.var.radarTop;
    e.DrawImage(kRadarPictureSlot, 1, 0, 0, 0);
}

void drawZoneCircles(TQuillEffect& e) {
    const DisplayVariables& d = panelOf(e).variables;
    setColor(e, 0, 0.75, 0, std::sqrt(std::fabs(e.var.zoneCenterGain)));
    e.DrawCircle(d.radarCentreX, d.radarCentreY, 8, kCircle, kAntialias);
    setColor(e, 0, 0.75, 0, 0.5 * std::sqrt(std::fabs(e.var.zoneEdgeGain)));
    e.DrawCircle(d.radarCentreX, d.radarCentreY, d.radarRadius, kCircle, kAntialias);
}

void dragChannel(TQuillEffect& e, int c) {
    DisplayVariables& d = panelOf(e).variables;
    RadarChannel& radar = d.radar[c];
    const ChannelLook& look = kLooks[c];
    const EffectVariables& v = e.var;
    if (buttonHeld(d, look.buttonBit) && v.radarLeft - kDragMargin <= d.mouseX &&
        d.mouseX <= v.radarRight + kDragMargin && v.radarTop - kDragMargin <= d.mouseY &&
        d.mouseY <= v.radarBottom + kDragMargin) {
        radar.dragging = 1;
    }
    if (isZero(radar.dragging)) return;

    double u = 0, v2 = 0, sliderX = 0, sliderY = 0;
    clampToField(d.mouseX - v.radarLeft, v.radarWidth, u, sliderX);
    clampToField(d.mouseY - v.radarTop, v.radarHeight, v2, sliderY);
    PanChannel& ch = e.var.ch[c];
    ch.posX = u;
    ch.posY = v2;
    // Like a position slider, a drag moves the current dot too while the audio path has published nothing.
    showTargetUntilProcessed(ch);
    setPositionSlider(e, look.firstSlider, sliderX);
    setPositionSlider(e, look.firstSlider + 1, sliderY);
    e.SliderAutomate(&e.sliders[look.firstSlider]);
    e.SliderAutomate(&e.sliders[look.firstSlider + 1]);
}

void drawTrail(TQuillEffect& e, int c) {
    RadarChannel& radar = panelOf(e).variables.radar[c];
    constexpr int n = RadarChannel::kTrailLength;
    for (int i = 0; i + 1 < n; ++i) {
        radar.trailX[i] = radar.trailX[i + 1];
        radar.trailY[i] = radar.trailY[i + 1];
    }
    radar.trailX[n - 1] = radar.dotX;
    radar.trailY[n - 1] = radar.dotY;
    // Until the history is full, or while the dot has not moved sideways, there is nothing to show.
    if (isZero(radar.trailX[0]) || nearlyEqual(radar.trailX[0], radar.dotX)) return;

    const ChannelLook& look = kLooks[c];
    setColor(e, look.shownR, look.shownG, look.shownB, 1);
    e.gfxX = radar.dotX;
    e.gfxY = radar.dotY;
    e.LineTo(radar.trailX[n - 1], radar.trailY[n - 1], kAntialias);
    for (int i = n - 2; i >= 0; --i) {
        e.gfxA -= 0.05;
        e.LineTo(radar.trailX[i], radar.trailY[i], kAntialias);
    }
}

void drawChannel(TQuillEffect& e, int c) {
    const ChannelLook& look = kLooks[c];
    const EffectVariables& v = e.var;
    const PanChannel& ch = v.ch[c];
    setColor(e, look.targetR, look.targetG, look.targetB, 1);
    e.DrawCircle(v.radarLeft + ch.posX * v.radarWidth, v.radarTop + ch.posY * v.radarHeight, 3, kDisc,
                 kAntialias);

    dragChannel(e, c);

    RadarChannel& radar = panelOf(e).variables.radar[c];
    radar.dotX = v.radarLeft + ch.shownX * v.radarWidth;
    radar.dotY = v.radarTop + ch.shownY * v.radarHeight;
    setColor(e, look.shownR, look.shownG, look.shownB, 1);
    e.DrawCircle(radar.dotX, radar.dotY, 5, kDisc, kAntialias);

    drawTrail(e, c);
}

bool boxDiffersFromField(const PanChannel& ch) {
    return !nearlyEqual(ch.scaleX, 1) || !nearlyEqual(ch.scaleY, 1) || !isZero(ch.offsetX) ||
           !isZero(ch.offsetY);
}

void drawAnimationBox(TQuillEffect& e, int c) {
    const PanChannel& ch = e.var.ch[c];
    if (isZero(ch.motionMode) || !boxDiffersFromField(ch)) return;
    const ChannelLook& look = kLooks[c];
    setColor(e, look.targetR, look.targetG, look.targetB, look.boxAlpha);
    const double x1 = ch.animBox[0], y1 = ch.animBox[1], x2 = ch.animBox[2], y2 = ch.animBox[3];
    e.DrawLine(x1, y1, x2, y1, kAntialias);
    e.DrawLine(x2, y1, x2, y2, kAntialias);
    e.DrawLine(x2, y2, x1, y2, kAntialias);
    e.DrawLine(x1, y2, x1, y1, kAntialias);
}

}  // namespace

void drawRadar(TQuillEffect& e) {
    drawBackground(e);
    drawZoneCircles(e);
    drawChannel(e, 0);
    const bool twoInputs = !isZero(e.var.stereoInput);
    if (twoInputs) drawChannel(e, 1);
    drawAnimationBox(e, 0);
    if (twoInputs) drawAnimationBox(e, 1);
    DisplayVariables& d = panelOf(e).variables;
    if (isZero(d.mouseFlags)) d.radar[0].dragging = d.radar[1].dragging = 0;
}
