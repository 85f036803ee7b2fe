#include "display/PanelDisplay.h"

#include "display/DisplayDrawing.h"
#include "display/FontListRelease.h"
#include "display/LevelMeters.h"
#include "display/PanelLayout.h"
#include "display/PanelStrings.h"
#include "display/Radar.h"
#include "display/SliderPanel.h"
#include "effect/QuillEffect.h"
#include "plugin/boundary/EditorFunctions.h"
#include "plugin/boundary/HostAdapter.h"

namespace {

// Surface size, the mouse snapshot every hit test of the frame uses, and a known colour and position.
void startFrame(TQuillEffect& e, DisplayVariables& d) {
    int32_t width = 0;
    int32_t height = 0;
    if (editorGetSize(e.adapter, &width, &height) != 0) {
        e.gfxWidth = width;
        e.gfxHeight = height;
    }
    d.mouseFlags = e.mouseFlags;
    d.mouseX = e.mouseX;
    d.mouseY = e.mouseY;
    e.gfxR = e.gfxG = e.gfxB = 0;
    e.gfxA = 1;
    e.gfxX = e.gfxY = 0;
}

}  // namespace

std::unique_ptr<IEffectPanel> makeEffectPanel() {
    return std::make_unique<CPanelDisplay>();
}

CPanelDisplay& panelOf(TQuillEffect& effect) {
    return static_cast<CPanelDisplay&>(*effect.Panel());
}

const CPanelDisplay& panelOf(const TQuillEffect& effect) {
    return static_cast<const CPanelDisplay&>(*effect.Panel());
}

void CPanelDisplay::attach(TQuillEffect& effect) {
    effect.drawing = displayDrawingBridges();
    registerPanelStrings(effect);
}

void CPanelDisplay::detach(TQuillEffect& effect) {
    // The images and fonts were made by this panel's bridges; nothing may hold them once it goes.
    effect.ReleaseImages();
    if (effect.adapter != nullptr) releaseFontList(effect.adapter->fontList);
    effect.drawing = DrawingBridges{};
}

void CPanelDisplay::open(TQuillEffect& effect) {
    variables = DisplayVariables{};
    registerPanelStrings(effect);
    // Zero until the next init section, as after the effect's own open step.
    laidOut_ = effect.initSections.load(std::memory_order_acquire);
}

void CPanelDisplay::layOut(const TQuillEffect& effect) {
    DisplayVariables& d = variables;
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

void CPanelDisplay::draw(TQuillEffect& effect) {
    const uint32_t inits = effect.initSections.load(std::memory_order_acquire);
    if (inits != laidOut_) {
        layOut(effect);
        laidOut_ = inits;
    }
    startFrame(effect, variables);
    const bool cached = cache.begin(effect.adapter, effect.drawing, effect.gfxWidth, effect.gfxHeight);
    drawRadar(effect);
    drawControls(effect);
    applyControlChanges(effect);
    drawLevelMeters(effect);
    drawBuildText(effect);
    if (cached) cache.finish();
}
