// The Windows module's entry points, exported by name through Orbitone.def: the factory, and load and
// unload entries for a module that keeps no global state to set up.
#include <travesty/factory.h>

#include "plugin/vst3/Vst3Factory.h"

extern "C" v3_plugin_factory** V3_API GetPluginFactory() {
    return vst3Factory();
}

extern "C" bool InitDll() {
    return true;
}

extern "C" bool ExitDll() {
    return true;
}
