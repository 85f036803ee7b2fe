// The effect side of the bridge table, shared by every plug-in format's adapter.
#pragma once

#include "plugin/boundary/LumoBridge.h"

// The table of this build, filled with the effect-side entries (11 and 12 stay null).
LumoBridge makeEffectBridge();
