// The panel images as "DATA" resources of the module, compiled in from DataResources.rc.
#include "resources/DataResources.h"

#include "plugin/boundary/win32/ModuleHandle.h"

bool findDataResource(int id, const unsigned char** bytes, size_t* size) {
    // Numeric ids only; MAKEINTRESOURCE cannot express negative or wide ones.
    if (id < 0 || id > 0xFFFF) return false;
    const HMODULE module = platform::moduleHandle();
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "DATA");
    if (!info) return false;
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    if (bytes) *bytes = static_cast<const unsigned char*>(data);
    if (size) *size = SizeofResource(module, info);
    return true;
}
