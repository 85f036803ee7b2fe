#include "display/SliderPanel.h"

#include "display/InputCheckbox.h"
#include "display/PanelColor.h"
#include "display/PanelStrings.h"
#include "display/SliderWidget.h"
#include "effect/QuillEffect.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;
using quill::nearlyEqual;

namespace {

constexpr double kPanelFontSlot = 1;
constexpr double kPanelTextHeight = 14;
constexpr double kShortWidth = 130;
constexpr double kLongWidth = 280;
constexpr double kHeight = 15;
constexpr double kDisabledAlpha = 0.5;

// A control's place relative to the panel's top-left, its slider and its range.
struct ControlRow {
    WidgetKind kind;
    double dx, dy, w;
    int slider;
    double minimum, maximum, step, defaultValue, unitId, labelId;
};

constexpr WidgetKind P = WidgetKind::kPosition;
constexpr WidgetKind C = WidgetKind::kContinuous;
constexpr WidgetKind M = WidgetKind::kChoice;

// Controls 1 to 23 by number - 1; of control 10, the checkbox, only the place is used.
const ControlRow kRows[DisplayVariables::kControls] = {
    {P, 190, 0, kLongWidth, 1, -100, 100, 1, 0, 10016, 10017},
    {P, 190, 20, kLongWidth, 2, -100, 100, 1, 0, 10018, 10019},
    {P, 190, 50, kLongWidth, 3, -100, 100, 1, 0, 10020, 10021},
    {P, 190, 70, kLongWidth, 4, -100, 100, 1, 0, 10022, 10023},
    {C, 190, 100, kLongWidth, 5, -1, 1, 0.01, 0, 10024, 10025},
    {C, 190, 120, kLongWidth, 6, -60, 60, 1, 0, 10026, 10027},
    {C, 190, 140, kLongWidth, 7, 0, 1000, 10, 100, 10028, 10029},
    {C, 190, 170, kLongWidth, 10, -60, 10, 0.1, -60, 10030, 10031},
    {C, 190, 190, kLongWidth, 11, -60, 10, 0.1, -60, 10033, 10034},
    {C, 190, 210, kHeight, 12, 0, 1, 1, 0, 0, 10036},
    {C, 190, 230, kLongWidth, 13, -20, 20, 0.1, 0, 10037, 10038},
    {M, 120, 290, kShortWidth, 20, 0, 4, 1, 0, 0, 10039},
    {C, 120, 320, kShortWidth, 21, -120, 120, 1, 1, 10045, 10046},
    {C, 120, 340, kShortWidth, 22, 0, 1, 0.01, 1, 10047, 10048},
    {C, 120, 360, kShortWidth, 23, 0, 1, 0.01, 1, 10049, 10050},
    {C, 120, 380, kShortWidth, 24, -1, 1, 0.01, 0, 10051, 10052},
    {C, 120, 400, kShortWidth, 25, -1, 1, 0.01, 0, 10053, 10054},
    {M, 360, 290, kShortWidth, 26, 0, 4, 1, 0, 0, 10055},
    {C, 360, 320, kShortWidth, 27, -120, 120, 1, 1, 10061, 10062},
    {C, 360, 340, kShortWidth, 28, 0, 1, 0.01, 1, 10063, 10064},
    {C, 360, 360, kShortWidth, 29, 0, 1, 0.01, 1, 10065, 10066},
    {C, 360, 380, kShortWidth, 30, -1, 1, 0.01, 0, 10067, 10068},
    {C, 360, 400, kShortWidth, 31, -1, 1, 0.01, 0, 10069, 10070},
};

constexpr int kCheckbox = 10;
constexpr int kSendC = 8;
constexpr int kSendLfe = 9;
constexpr int kCh1Choice = 12;
constexpr int kCh2Choice = 18;
constexpr double kInfTextDx = 475;

WidgetGeometry geometryOf(const TQuillEffect& e, int control) {
    const ControlRow& r = kRows[control - 1];
    const DisplayVariables& d = e.var.display;
    return {r.kind, d.panelLeft + r.dx, d.panelTop + r.dy, r.w,      kHeight, r.minimum, r.maximum,
            r.step, r.defaultValue,     r.unitId,          r.labelId};
}

// Runs control n and stores its value in its slider, changed or not.
double runControl(TQuillEffect& e, int control) {
    const int slider = kRows[control - 1].slider;
    double& bound = e.var.sliderView[slider];
    const double value = runSliderWidget(e, geometryOf(e, control), e.var.display.widget[control - 1], bound);
    e.sliders[slider] = value;
    return value;
}

void disableWithOneInput(TQuillEffect& e, int first, int last) {
    const bool oneInput = isZero(e.var.stereoInput);
    if (oneInput) e.gfxA = kDisabledAlpha;
    for (int control = first; control <= last; ++control)
        e.var.display.widget[control - 1].disabled = oneInput ? 1 : 0;
}

// Send controls hide their value text from the frame after they reach -Inf, and show "-Inf" instead.
void runSendControl(TQuillEffect& e, int control, double infTextId) {
    const double value = runControl(e, control);
    WidgetState& s = e.var.display.widget[control - 1];
    if (nearlyEqual(value, kRows[control - 1].minimum)) {
        s.valueHidden = 1;
        e.gfxX = e.var.display.panelLeft + kInfTextDx;
        e.gfxY = geometryOf(e, control).y;
        e.DrawText(infTextId);
    } else {
        s.valueHidden = 0;
    }
}

void runChoiceControl(TQuillEffect& e, int control, double firstItemId) {
    const double value = runControl(e, control);
    const WidgetGeometry g = geometryOf(e, control);
    e.gfxX = g.x;
    e.gfxY = g.y + g.h;
    for (int item = 0; item <= 4; ++item) {
        if (nearlyEqual(value, item)) e.DrawText(firstItemId + item);
    }
}

void followAnimation(TQuillEffect& e, int c) {
    const PanChannel& ch = e.var.ch[c];
    const double x = ch.shownX;
    const double y = ch.shownY;
    // Anything outside the square is no position: the sliders and the host would get values outside
    // their range.
    if (!(x >= 0 && x <= 1 && y >= 0 && y <= 1)) return;
    const int first = 1 + 2 * c;
    e.var.sliderView[first] = e.sliders[first] = x * 200 - 100;
    e.var.sliderView[first + 1] = e.sliders[first + 1] = y * 200 - 100;
    e.SliderAutomate(&e.sliders[first]);
    e.SliderAutomate(&e.sliders[first + 1]);
}

}  // namespace

void drawControls(TQuillEffect& e) {
    const DisplayVariables& d = e.var.display;
    e.SelectFont(kPanelFontSlot, panel_text::kPanelFace, kPanelTextHeight);
    setColor(e, 1, 1, 1, 1);

    runControl(e, 1);
    runControl(e, 2);
    disableWithOneInput(e, 3, 4);
    runControl(e, 3);
    runControl(e, 4);
    e.gfxA = 1;

    for (int control = 5; control <= 7; ++control) runControl(e, control);
    runSendControl(e, kSendC, panel_text::kSendCInf);
    runSendControl(e, kSendLfe, panel_text::kSendLfeInf);
    const ControlRow& box = kRows[kCheckbox - 1];
    runInputCheckbox(e, d.panelLeft + box.dx, d.panelTop + box.dy);
    runControl(e, 11);

    runChoiceControl(e, kCh1Choice, panel_text::kCh1ItemFirst);
    for (int control = 13; control <= 17; ++control) runControl(e, control);

    disableWithOneInput(e, kCh2Choice, 23);
    runChoiceControl(e, kCh2Choice, panel_text::kCh2ItemFirst);
    for (int control = 19; control <= 23; ++control) runControl(e, control);
}

void applyControlChanges(TQuillEffect& e) {
    DisplayVariables& d = e.var.display;
    if (!isZero(d.positionChanged)) {
        e.SetTargetsFromSliders();
        for (int slider = 1; slider <= 4; ++slider) e.SliderAutomate(&e.sliders[slider]);
        d.positionChanged = 0;
    }
    if (!isZero(d.controlChanged)) {
        e.DeriveFromSliders();
        d.controlChanged = 0;
    }
    if (!isZero(e.var.ch[0].motionMode)) followAnimation(e, 0);
    if (!isZero(e.var.ch[1].motionMode) && !isZero(e.var.stereoInput)) followAnimation(e, 1);
}
