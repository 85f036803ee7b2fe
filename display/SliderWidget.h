// The panel's custom slider: drawn and hit-tested by the effect every frame, bound to one of the
// display's copies of a slider value.
#pragma once

#include "display/DisplayVariables.h"

class TQuillEffect;

enum class WidgetKind {
    kPosition,    // a position slider: marks the frame's position change
    kContinuous,  // any other value with its value text and unit
    kChoice,      // a menu-like choice: no fine mode, no value text
};

struct WidgetGeometry {
    WidgetKind kind;
    double x, y, w, h;
    double minimum, maximum, step, defaultValue;
    double unitId;  // string id of the unit appended to the value text
    double labelId;
};

// Runs one frame of the widget on the frame's mouse snapshot and draws its knob, label and value
// text. Reads and overwrites value, and answers it clamped to the widget's range. GUI thread.
double runSliderWidget(TQuillEffect& effect, const WidgetGeometry& geometry, WidgetState& state,
                       double& value);
