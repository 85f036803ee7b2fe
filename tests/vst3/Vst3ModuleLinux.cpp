#include <dlfcn.h>

#include "tests/vst3/Vst3TestHost.h"

namespace vst3test {

// The module stays loaded, as hosts keep plug-in libraries.
v3_plugin_factory** loadVst3Module(const std::string& path) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return nullptr;
    auto moduleEntry = reinterpret_cast<bool (*)(void*)>(dlsym(module, "ModuleEntry"));
    auto entry = reinterpret_cast<v3_plugin_factory** (*)()>(dlsym(module, "GetPluginFactory"));
    if (moduleEntry == nullptr || entry == nullptr || !moduleEntry(module)) return nullptr;
    return entry();
}

}  // namespace vst3test
