// One paint of an instance's panel into an offscreen context, as the editor's view would make it.
#pragma once

#include "effect/PanelGeometry.h"
#include "plugin/sdk/aeffect.h"

namespace VSTGUI {
class COffscreenContext;
}

namespace snapshot {

constexpr double kPanelWidth = panel_layout::kWidth;
constexpr double kPanelHeight = panel_layout::kHeight;

// Runs the graphics section (bridge entry 7) with the context as the paint's context; false when the
// record is not one of this build's instances.
bool drawPanelFrame(AEffect* effect, VSTGUI::COffscreenContext& context);

}  // namespace snapshot
