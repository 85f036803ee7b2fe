#include <dlfcn.h>

#include "tests/host/TestModule.h"

TestModule::TestModule(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

TestModule::EntryProc TestModule::entry(const char* name) const {
    return handle_ != nullptr ? reinterpret_cast<EntryProc>(dlsym(handle_, name)) : nullptr;
}
