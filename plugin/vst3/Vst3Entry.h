// How the module's entry points are exported: by name, with C linkage, visible beyond the module.
#pragma once

#include <travesty/factory.h>

#define ORBITONE_VST3_EXPORT extern "C" __attribute__((visibility("default")))

ORBITONE_VST3_EXPORT v3_plugin_factory** V3_API GetPluginFactory();
