#include "display/SliderPanel.h"

#include "display/InputCheckbox.h"
#include "display/PanelColor.h"
#include "display/PanelDisplay.h"
#include "display/PanelLayout.h"
#include "display/PanelStrings.h"
#include "display/SliderWidget.h"
#include "effect/QuillEffect.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;
using quill::nearlyEqual;

namespace {

constexpr double kPanelFontSlot = 1;
constexpr double kPanelTextHeight = 14;
constexpr double kDisabledAlpha = 0.5;

// A control's slider and range, and its unit and label texts; its place is in the panel layout.
struct ControlRow {
    WidgetKind kind;
    int slider;
    double minimum, maximum, step, defaultValue, unitId, labelId;
};

constexpr WidgetKind P = WidgetKind::kPosition;
constexpr WidgetKind C = WidgetKind::kContinuous;
constexpr WidgetKind M = WidgetKind::kChoice;

namespace t = panel_text;

// Controls 1 to 23 by number - 1; of control 10, the checkbox, only the place is used.
const ControlRow kRows[DisplayVariables::kControls] = {
    {P, 1, -100, 100, 1, 0, t::kCh1LeftRightUnit, t::kCh1LeftRight},
    {P, 2, -100, 100, 1, 0, t::kCh1FrontBackUnit, t::kCh1FrontBack},
    {P, 3, -100, 100, 1, 0, t::kCh2LeftRightUnit, t::kCh2LeftRight},
    {P, 4, -100, 100, 1, 0, t::kCh2FrontBackUnit, t::kCh2FrontBack},
    {C, 5, -1, 1, 0.01, 0, t::kCentreUnit, t::kCentre},
    {C, 6, -60, 60, 1, 0, t::kZoneUnit, t::kZone},
    {C, 7, 0, 1000, 10, 100, t::kSmoothingUnit, t::kSmoothing},
    {C, 10, -60, 10, 0.1, -60, t::kSendCUnit, t::kSendC},
    {C, 11, -60, 10, 0.1, -60, t::kSendLfeUnit, t::kSendLfe},
    {C, 12, 0, 1, 1, 0, 0, t::kInputsLabel},
    {C, 13, -20, 20, 0.1, 0, t::kOutputUnit, t::kOutput},
    {M, 20, 0, 4, 1, 0, 0, t::kCh1Animation},
    {C, 21, -120, 120, 1, 1, t::kCh1SpeedUnit, t::kCh1Speed},
    {C, 22, 0, 1, 0.01, 1, t::kCh1XScaleUnit, t::kCh1XScale},
    {C, 23, 0, 1, 0.01, 1, t::kCh1YScaleUnit, t::kCh1YScale},
    {C, 24, -1, 1, 0.01, 0, t::kCh1XOffsetUnit, t::kCh1XOffset},
    {C, 25, -1, 1, 0.01, 0, t::kCh1YOffsetUnit, t::kCh1YOffset},
    {M, 26, 0, 4, 1, 0, 0, t::kCh2Animation},
    {C, 27, -120, 120, 1, 1, t::kCh2SpeedUnit, t::kCh2Speed},
    {C, 28, 0, 1, 0.01, 1, t::kCh2XScaleUnit, t::kCh2XScale},
    {C, 29, 0, 1, 0.01, 1, t::kCh2YScaleUnit, t::kCh2YScale},
    {C, 30, -1, 1, 0.01, 0, t::kCh2XOffsetUnit, t::kCh2XOffset},
    {C, 31, -1, 1, 0.01, 0, t::kCh2YOffsetUnit, t::kCh2YOffset},
};
static_assert(DisplayVariables::kControls == panel_layout::kControlCount,
              "one row per control of the layout");

constexpr int kCheckbox = 10;
constexpr int kSendC = 8;
constexpr int kSendLfe = 9;
constexpr int kCh1Choice = 12;
constexpr int kCh2Choice = 18;
constexpr double kInfTextDx = 475;

WidgetGeometry geometryOf(const TQuillEffect& e, int control) {
    const ControlRow& r = kRows[control - 1];
    const panel_layout::Rect& place = panel_layout::kControls[control - 1];
    const DisplayVariables& d = panelOf(e).variables;
    return {r.kind,
            d.panelLeft + place.x,
            d.panelTop + place.y,
            static_cast<double>(place.w),
            static_cast<double>(place.h),
            r.minimum,
            r.maximum,
            r.step,
            r.defaultValue,
            r.unitId,
            r.labelId};
}

// Runs control n and stores its value in its slider only when the control changed it: a host may
// have set the slider while the control was drawn, and that newer value must stay.
double runControl(TQuillEffect& e, int control) {
    const int slider = kRows[control - 1].slider;
    const double shown = e.var.sliderView[slider];
    double value = shown;
    runSliderWidget(e, geometryOf(e, control), panelOf(e).variables.widget[control - 1], value);
    // Also a value the control had to bring into its range, which no host can set.
    if (!(value == shown)) {
        e.var.sliderView[slider] = value;
        e.sliders[slider] = value;
    }
    return value;
}

void disableWithOneInput(TQuillEffect& e, int first, int last) {
    const bool oneInput = isZero(e.var.stereoInput);
    if (oneInput) e.gfxA = kDisabledAlpha;
    for (int control = first; control <= last; ++control)
        panelOf(e).variables.widget[control - 1].disabled = oneInput ? 1 : 0;
}

// Send controls hide their value text from the frame after they reach -Inf, and show "-Inf" instead.
void runSendControl(TQuillEffect& e, int control, double infTextId) {
    const double value = runControl(e, control);
    WidgetState& s = panelOf(e).variables.widget[control - 1];
    if (nearlyEqual(value, kRows[control - 1].minimum)) {
        s.valueHidden = 1;
        e.gfxX = panelOf(e).variables.panelLeft + kInfTextDx;
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
    const DisplayVariables& d = panelOf(e).variables;
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
    const panel_layout::Rect& box = panel_layout::kControls[kCheckbox - 1];
    runInputCheckbox(e, d.panelLeft + box.x, d.panelTop + box.y);
    runControl(e, 11);

    runChoiceControl(e, kCh1Choice, panel_text::kCh1ItemFirst);
    for (int control = 13; control <= 17; ++control) runControl(e, control);

    disableWithOneInput(e, kCh2Choice, 23);
    runChoiceControl(e, kCh2Choice, panel_text::kCh2ItemFirst);
    for (int control = 19; control <= 23; ++control) runControl(e, control);
}

void applyControlChanges(TQuillEffect& e) {
    DisplayVariables& d = panelOf(e).variables;
    if (!isZero(d.positionChanged)) {
        e.SetTargetsFromSliders();
        for (int slider = 1; slider <= 4; ++slider) e.SliderAutomate(&e.sliders[slider]);
        d.positionChanged = 0;
    }
    if (!isZero(d.controlChanged)) {
        // The whole slider section: the display's copies show the sliders again, also the second
        // input's position that one input hid.
        e.DoSlider();
        d.controlChanged = 0;
    }
    if (!isZero(e.var.ch[0].motionMode)) followAnimation(e, 0);
    if (!isZero(e.var.ch[1].motionMode) && !isZero(e.var.stereoInput)) followAnimation(e, 1);
}
