// The renderer's view of one Orbitone instance, made through the plug-in's own factory instead of a
// loaded module, for the targets that fuzz what the renderer reads.
#pragma once

#include "plugin/vst/PluginFactory.h"
#include "tools/render/HostContext.h"
#include "tools/render/PluginInstance.h"

struct RenderPlugin {
    render::HostContext host;
    render::PluginInstance instance{&createOrbitoneInstance, "Orbitone", host};
};
