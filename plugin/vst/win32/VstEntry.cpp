// The module's exported entry points on Windows. Orbitone.def exports them by name and adds "main"
// as a second name of VSTPluginMain (a C++ function cannot be called main).
#include "plugin/vst/PluginFactory.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
    return createOrbitoneInstance(audioMaster);
}

extern "C" AEffect* VSTCALLBACK MAIN(audioMasterCallback audioMaster) {
    return createOrbitoneInstance(audioMaster);
}
