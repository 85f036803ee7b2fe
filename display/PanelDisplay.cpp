#include "display/PanelDisplay.h"

#include "display/LevelMeters.h"
#include "display/PanelFrameCache.h"
#include "display/PanelLayout.h"
#include "display/PanelStrings.h"
#include "display/Radar.h"
#include "display/SliderPanel.h"
#include "effect/QuillEffect.h"
#include "plugin/boundary/EditorFunctions.h"

namespace {

// Surface size, the mouse snapshot every hit test of the frame uses, and a known colour and position.
void startFrame(TQuillEffect& e) {
    int32_t width = 0;
    int32_t height = 0;
    if (editorGetSize(e.adapter, &width, &height) != 0) {
        e.gfxWidth = width;
        e.gfxHeight = height;
    }
    DisplayVariables& d = e.var.display;
    d.mouseFlags = e.mouseFlags;
    d.mouseX = e.mouseX;
    d.mouseY = e.mouseY;
    e.gfxR = e.gfxG = e.gfxB = 0;
    e.gfxA = 1;
    e.gfxX = e.gfxY = 0;
}

}  // namespace

void openPanel(TQuillEffect& effect) {
    registerPanelStrings(effect);
}

void initPanelLayout(TQuillEffect& effect) {
    DisplayVariables& d = effect.var.display;
    d.radarCentreX = effect.var.radarLeft + effect.var.radarWidth / 2;
    d.radarCentreY = effect.var.radarTop + effect.var.radarHeight / 2;
    d.radarRadius = effect.var.radarWidth / 2;
    d.panelLeft = panel_layout::kControlsLeft;
    d.panelTop = panel_layout::kControlsTop;
    d.meterTop = panel_layout::kMeterTop;
    d.meterBarWidth = panel_layout::kMeterBarWidth;
    d.meterScaleHeight = panel_layout::kMeterScaleHeight;
    d.meterExponent = panel_layout::kMeterExponent;
}

void drawPanel(TQuillEffect& effect) {
    startFrame(effect);
    PanelFrameCache& cache = *effect.panelCache;
    const bool cached = cache.begin(effect.adapter, effect.drawing, effect.gfxWidth, effect.gfxHeight);
    drawRadar(effect);
    drawControls(effect);
    applyControlChanges(effect);
    drawLevelMeters(effect);
    drawBuildText(effect);
    if (cached) cache.finish();
}
