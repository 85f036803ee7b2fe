// The Input Mono/Stereo checkbox: toggles once per press, and only after the pointer rested over it.
#pragma once

class TQuillEffect;

// Runs and draws the box at (x, y), 15 x 15, bound to the display's copy of slider 12. GUI thread.
void runInputCheckbox(TQuillEffect& effect, double x, double y);
