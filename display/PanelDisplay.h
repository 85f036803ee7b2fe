// The effect's panel: what the open step registers, what the init section lays out, and what every
// paint draws.
#pragma once

class TQuillEffect;

// Open step: images and string constants. Dispatcher thread.
void openPanel(TQuillEffect& effect);
// Init section's layout variables. Dispatcher thread.
void initPanelLayout(TQuillEffect& effect);
// The graphics section. GUI thread.
void drawPanel(TQuillEffect& effect);
