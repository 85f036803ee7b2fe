// Moving a plug-in's state into and out of preset files.
#pragma once

#include "tools/render/PluginInstance.h"
#include "tools/render/PresetFile.h"

namespace render {

// Refuses (RenderError(preset)) a preset made for another plug-in or in a form the plug-in
// cannot take, before anything reaches the plug-in.
void applyPreset(const PresetFile& preset, const PluginInstance& plugin);
// The current program as an .fxp: the state chunk when the plug-in keeps one, else its values.
PresetFile captureProgram(const PluginInstance& plugin);

}  // namespace render
