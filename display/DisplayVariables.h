// The panel's own variables: layout constants, widget states, radar history and the frame's mouse
// snapshot. All doubles, like every script variable; zero after the effect's open step. Held by the
// panel (display/PanelDisplay.h). GUI thread.
#pragma once

// One slider widget's interaction state, kept from frame to frame.
struct WidgetState {
    double hover = 0;
    double pressed = 0;
    double dragging = 0;
    double fineAnchor = 0;  // mouse x where Shift fine mode started; 0 when not in fine mode
    double disabled = 0;
    double valueHidden = 0;  // the value text is left out (Send controls at -Inf)
};

struct CheckboxState {
    // Set while the pointer rests over the box without a button; a press toggles only when it was set.
    double hover = 0;
    double pressed = 0;
};

// One input channel's drawing in the radar.
struct RadarChannel {
    static constexpr int kTrailLength = 20;

    double dragging = 0;
    double dotX = 0, dotY = 0;         // this frame's current-position dot in pixels
    double trailX[kTrailLength] = {};  // oldest first; the last entry is this frame's dot
    double trailY[kTrailLength] = {};
};

struct DisplayVariables {
    static constexpr int kControls = 23;

    double mouseFlags = 0, mouseX = 0, mouseY = 0;  // this frame's snapshot

    // Layout constants, laid out again from the effect's radar square after each init section.
    double radarCentreX = 0, radarCentreY = 0, radarRadius = 0;
    double panelLeft = 0, panelTop = 0;
    double meterTop = 0, meterBarWidth = 0, meterScaleHeight = 0, meterExponent = 0;

    RadarChannel radar[2];
    WidgetState widget[kControls];  // by control number - 1
    CheckboxState checkbox;
    double positionChanged = 0;
    double controlChanged = 0;
};
