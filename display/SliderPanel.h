// The controls right of the meters: 22 slider widgets and the input checkbox, in drawing order, and
// what the panel does after them when the user changed something.
#pragma once

class TQuillEffect;

// Runs and draws every control; a value the panel changed is stored in its slider. GUI thread.
void drawControls(TQuillEffect& effect);
// Passes the frame's changes to the engine and the host; animated positions follow the motion. GUI thread.
void applyControlChanges(TQuillEffect& effect);
