// Makes one plug-in instance: the effect, the adapter around it, and the record the host gets.
#pragma once

#include "plugin/sdk/aeffect.h"
#include "plugin/vst/Lumo.h"

class TQuill;

// The interface record of a new instance around the given effect (owned from here on), with the
// editor makeEditor makes or none, or null when the host reports no VST version. Dispatcher thread.
AEffect* createPluginInstance(audioMasterCallback audioMaster, TQuill* effect,
                              LumoEditorMaker makeEditor = nullptr);

// The module's edition (plugin/vst/VstEdition.cpp, target orbitone_vst_edition): this build's effect
// with its panel and the toolkit editor that shows it, and that editor's maker. Dispatcher thread.
AEffect* createOrbitoneInstance(audioMasterCallback audioMaster);
AEffEditor* makeLumoEditor(CLumo& adapter, int32_t width, int32_t height);
