// The Windows module's load and unload entries: the module keeps no global state to set up.
#include "plugin/vst3/Vst3Entry.h"

ORBITONE_VST3_EXPORT bool InitDll() {
    return true;
}

ORBITONE_VST3_EXPORT bool ExitDll() {
    return true;
}
