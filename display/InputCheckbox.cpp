#include "display/InputCheckbox.h"

#include <algorithm>

#include "display/GraphicsBridges.h"
#include "display/PanelColor.h"
#include "display/PanelDisplay.h"
#include "display/PanelLayout.h"
#include "display/PanelStrings.h"
#include "effect/QuillEffect.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;

namespace {

constexpr int kSlider = 12;
constexpr double kSize = panel_layout::kControls[9].w;  // control 10

void drawLabel(TQuillEffect& e, double x, double y) {
    setColor(e, 0.7, 0.7, 0.7);
    const double width =
        std::max(0.0, contextTextWidth(e.adapter, e.StringGet(panel_text::kInputsLabel).c_str()));
    e.gfxX = x - width - 5;
    e.gfxY = y + kSize / 2 - e.gfxTextHeight / 2;
    e.DrawText(panel_text::kInputsLabel);
}

void drawBox(TQuillEffect& e, double x, double y, double value) {
    setColor(e, 0.6, 0.6, 0.6);
    e.FillRect(x, y, kSize, kSize);
    setColor(e, 0.15, 0.15, 0.15);
    e.FillRect(x + 1, y + 1, kSize - 2, kSize - 2);
    if (!isZero(value)) {
        setColor(e, 0.9, 0.9, 1);
        e.FillRect(x + 2, y + 2, kSize - 4, kSize - 4);
    }
}

}  // namespace

void runInputCheckbox(TQuillEffect& e, double x, double y) {
    DisplayVariables& d = panelOf(e).variables;
    CheckboxState& s = d.checkbox;
    SharedDouble& value = e.var.sliderView[kSlider];
    drawLabel(e, x, y);

    const bool inside = x <= d.mouseX && d.mouseX <= x + kSize && y <= d.mouseY && d.mouseY <= y + kSize;
    const bool buttonHeld = !isZero(d.mouseFlags);
    if (inside && !buttonHeld) {
        s.hover = 1;
    } else if (inside) {
        s.pressed = 1;
        if (!isZero(s.hover)) {
            value = 1 - value;
            e.sliders[kSlider] = value;
            s.hover = s.pressed = 0;
            d.controlChanged = 1;
        }
    } else {
        s.hover = s.pressed = 0;
    }

    drawBox(e, x, y, value);
}
