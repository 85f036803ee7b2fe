// Makes one plug-in instance: the effect, the adapter around it, and the record the host gets.
#pragma once

#include "plugin/sdk/aeffect.h"

class TQuill;

// The interface record of a new instance around the given effect (owned from here on), or null when
// the host reports no VST version. Dispatcher thread.
AEffect* createPluginInstance(audioMasterCallback audioMaster, TQuill* effect);

// The same with this build's effect.
AEffect* createOrbitoneInstance(audioMasterCallback audioMaster);
