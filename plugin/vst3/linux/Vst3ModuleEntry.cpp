// The Linux module's entry points: the factory, and load and unload entries for a module that keeps
// no global state to set up.
#include <travesty/factory.h>

#include "plugin/vst3/Vst3Factory.h"

#define ORBITONE_EXPORT extern "C" __attribute__((visibility("default")))

ORBITONE_EXPORT v3_plugin_factory** GetPluginFactory() {
    return vst3Factory();
}

ORBITONE_EXPORT bool ModuleEntry(void*) {
    return true;
}

ORBITONE_EXPORT bool ModuleExit() {
    return true;
}
