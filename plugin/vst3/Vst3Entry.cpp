// The module's factory entry point; the platform's load and unload entries are in linux/ and win32/.
#include "plugin/vst3/Vst3Entry.h"
#include "plugin/vst3/Vst3Factory.h"

ORBITONE_VST3_EXPORT v3_plugin_factory** V3_API GetPluginFactory() {
    return vst3Factory();
}
