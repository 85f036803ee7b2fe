#include "display/PanelDisplay.h"

#include "effect/QuillEffect.h"

void openPanel(TQuillEffect&) {}

void initPanelLayout(TQuillEffect&) {}

void drawPanel(TQuillEffect&) {}
