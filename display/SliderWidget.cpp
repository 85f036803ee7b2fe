#include "display/SliderWidget.h"

#include <algorithm>
#include <cmath>

#include "display/GraphicsBridges.h"
#include "display/PanelColor.h"
#include "display/PanelDisplay.h"
#include "display/PanelStrings.h"
#include "effect/QuillEffect.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;

namespace {

constexpr double kKnobSlot = 2;
constexpr double kKnobHalfWidth = 13;
constexpr double kKnobWidth = 26;
constexpr double kTravelMargin = 28;  // the width minus this is the knob's travel
constexpr double kFineTravel = 100;
constexpr int kControlBit = 4;
constexpr int kShiftBit = 8;

bool modifierHeld(const DisplayVariables& d, int bit) {
    return (quill::toIndex(d.mouseFlags) & bit) != 0;
}

void grab(WidgetState& s, bool buttonHeld) {
    s.dragging = 1;
    if (!buttonHeld) s.dragging = s.fineAnchor = 0;
}

void trackPointer(const WidgetGeometry& g, WidgetState& s, const DisplayVariables& d) {
    const bool buttonHeld = !isZero(d.mouseFlags);
    const bool inside = g.x <= d.mouseX && d.mouseX <= g.x + g.w && g.y <= d.mouseY &&
                        d.mouseY <= g.y + g.h && isZero(s.disabled);
    if (inside) {
        if (!buttonHeld) {
            s.hover = 1;
            if (!isZero(s.pressed)) grab(s, buttonHeld);
        } else {
            s.pressed = 1;
            if (!isZero(s.hover)) grab(s, buttonHeld);
        }
    } else {
        s.hover = s.pressed = 0;
    }
    if (!buttonHeld) s.dragging = s.fineAnchor = 0;
}

// The knob's left edge relative to the start of its travel for the pointer's position.
double knobOffset(const WidgetGeometry& g, WidgetState& s, const DisplayVariables& d) {
    if (g.kind == WidgetKind::kChoice) return d.mouseX - g.x - (kKnobWidth + kKnobHalfWidth);
    if (!modifierHeld(d, kShiftBit)) {
        s.fineAnchor = 0;
        return d.mouseX - g.x - kKnobHalfWidth;
    }
    if (isZero(s.fineAnchor)) s.fineAnchor = d.mouseX;
    // Fine mode scales the travel by 100 / anchor: an anchor at x 0 has no scale to offer.
    if (isZero(s.fineAnchor)) return d.mouseX - g.x - kKnobHalfWidth;
    return (s.fineAnchor - g.x - kKnobHalfWidth) + kFineTravel * (d.mouseX / s.fineAnchor - 1);
}

double draggedValue(const WidgetGeometry& g, WidgetState& s, const DisplayVariables& d, double current) {
    const double t = knobOffset(g, s, d) / (g.w - kTravelMargin);
    const double range = std::fabs(g.minimum - g.maximum);
    const double q = 1 / g.step;
    double value = g.minimum + std::ceil(t * range * q) / q;
    if (modifierHeld(d, kControlBit)) value = g.defaultValue;
    return std::isfinite(value) ? value : current;
}

void drawKnob(TQuillEffect& e, const WidgetGeometry& g, double value) {
    const double range = std::fabs(g.minimum - g.maximum);
    const double k = range > 0 ? (g.w - kTravelMargin) * (value + range - g.maximum) / range : 0;
    e.gfxX = g.x + 1 + k;
    e.gfxY = g.y + 1;
    e.DrawImage(kKnobSlot, 1, 0, 0, 0);
}

double textWidth(TQuillEffect& e, double id) {
    return std::max(0.0, contextTextWidth(e.adapter, e.StringGet(id).c_str()));
}

void drawLabel(TQuillEffect& e, const WidgetGeometry& g) {
    setColor(e, 0.8, 0.8, 0.8);
    e.gfxX = g.x - textWidth(e, g.labelId) - 5;
    e.gfxY = g.y + g.h / 2 - e.gfxTextHeight / 2;
    e.DrawText(g.labelId);
}

void drawValueText(TQuillEffect& e, const WidgetGeometry& g, double value) {
    const bool position = g.kind == WidgetKind::kPosition;
    const double id = position ? panel_text::kPositionValue : panel_text::kControlValue;
    e.FormatString(id, position ? panel_text::kPositionFormat : panel_text::kValueFormat, value);
    const std::string unit = e.StringGet(g.unitId);
    e.StringGet(id) += unit;
    e.gfxX = g.x + g.w + 5;
    e.gfxY = g.y + g.h / 2 - e.gfxTextHeight / 2;
    e.DrawText(id);
}

}  // namespace

double runSliderWidget(TQuillEffect& e, const WidgetGeometry& g, WidgetState& s, double& value) {
    DisplayVariables& d = panelOf(e).variables;
    trackPointer(g, s, d);
    if (!isZero(s.dragging)) {
        value = draggedValue(g, s, d, value);
        if (g.kind == WidgetKind::kPosition) {
            d.positionChanged = 1;
        } else {
            d.controlChanged = 1;
        }
    }
    if (!std::isfinite(value)) value = g.defaultValue;
    value = std::max(g.minimum, std::min(g.maximum, value));

    drawKnob(e, g, value);
    drawLabel(e, g);
    if (g.kind != WidgetKind::kChoice && isZero(s.valueHidden)) drawValueText(e, g, value);
    return value;
}
