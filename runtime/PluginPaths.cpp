#include "runtime/PluginPaths.h"

#include "runtime/PlatformServices.h"

std::string PluginFolder() {
    const std::string file = platform::moduleFileName();
    const size_t cut = file.find_last_of("\\/");
    if (cut == std::string::npos) return {};
    return file.substr(0, cut + 1);
}

std::string PluginPath(const std::string& relativeName) {
    if (!relativeName.empty() && (relativeName[0] == '\\' || relativeName[0] == '/')) {
        return PluginFolder() + relativeName.substr(1);
    }
    return PluginFolder() + relativeName;
}
