// The module's exported entry points; everything else stays hidden.
#include "plugin/vst/PluginFactory.h"

#define ORBITONE_EXPORT extern "C" __attribute__((visibility("default")))

ORBITONE_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    return createOrbitoneInstance(audioMaster);
}

// Older hosts look for "main": the same function under a second name.
ORBITONE_EXPORT AEffect* legacyMain(audioMasterCallback audioMaster) __asm__("main")
    __attribute__((alias("VSTPluginMain")));

ORBITONE_EXPORT AEffect* MAIN(audioMasterCallback audioMaster) {
    return createOrbitoneInstance(audioMaster);
}
