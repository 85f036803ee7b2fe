#include <windows.h>

#include "tests/vst3/Vst3TestHost.h"

namespace vst3test {

// The module stays loaded, as hosts keep plug-in libraries.
v3_plugin_factory** loadVst3Module(const std::string& path) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) return nullptr;
    auto initDll = reinterpret_cast<bool (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "InitDll")));
    auto entry = reinterpret_cast<v3_plugin_factory**(V3_API*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "GetPluginFactory")));
    if (initDll == nullptr || entry == nullptr || GetProcAddress(module, "ExitDll") == nullptr || !initDll())
        return nullptr;
    return entry();
}

}  // namespace vst3test
