// The panel picture of --snapshot. The renderer shares no drawing code with the plug-in, so it hands
// the plug-in's state to the orbitone-snapshot program beside it, which draws the panel from it.
#pragma once

#include <string>

#include "tools/render/PluginInstance.h"

namespace render {

// Throws RenderError(snapshot) unless the plug-in is Orbitone and orbitone-snapshot sits beside
// this program; called before rendering, so that a render is never wasted on an impossible picture.
void checkPanelSnapshotPossible(const PluginInstance& plugin);

// Writes the plug-in's current state to a temporary file and runs orbitone-snapshot on it to draw
// the panel into pngPath. Throws RenderError(snapshot) when no picture was written.
void writePanelSnapshot(const PluginInstance& plugin, const std::string& pngPath);

}  // namespace render
