#include <windows.h>

#include "tests/host/TestModule.h"

TestModule::TestModule(const std::string& path) : handle_(LoadLibraryA(path.c_str())) {}

TestModule::EntryProc TestModule::entry(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    // Through void*: a FARPROC is a function type of its own.
    void* address = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
    return reinterpret_cast<EntryProc>(address);
}
