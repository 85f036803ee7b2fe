// One paint of an instance's panel into an offscreen context, as the editor's view would make it.
#pragma once

#include "plugin/sdk/aeffect.h"

namespace VSTGUI {
class COffscreenContext;
}

namespace snapshot {

constexpr double kPanelWidth = 1130;
constexpr double kPanelHeight = 540;

// Runs the graphics section (bridge entry 7) with the context as the paint's context; false when the
// record is not one of this build's instances.
bool drawPanelFrame(AEffect* effect, VSTGUI::COffscreenContext& context);

}  // namespace snapshot
