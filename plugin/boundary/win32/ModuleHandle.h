// The Windows module this code was linked into: the plug-in DLL, or a test program that links the
// code statically. Resources, the window class and the module's file name are looked up in it.
#pragma once

#include <windows.h>

namespace platform {

HMODULE moduleHandle();

}  // namespace platform
