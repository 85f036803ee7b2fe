// The input/output level meter between the radar and the controls: falling peaks on a square-root
// scale, and the build text below the controls.
#pragma once

class TQuillEffect;

// Lets every peak fall by one frame's step, then draws the eight bars. GUI thread.
void drawLevelMeters(TQuillEffect& effect);
// GUI thread.
void drawBuildText(TQuillEffect& effect);
