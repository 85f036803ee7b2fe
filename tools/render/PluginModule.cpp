#include "tools/render/PluginModule.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include "tools/render/RenderError.h"

namespace render {

PluginModule::PluginModule(const std::string& path) : path_(path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        throw RenderError(ExitCode::module, "plug-in module not found: " + path);
    // A bare file name would make dlopen search the library path instead of the given file.
    const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    handle_ = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        throw RenderError(ExitCode::module, "cannot load plug-in module " + path + ": " + (why ? why : "?"));
    }
    // Older hosts look for "main" only; newer modules may export just "VSTPluginMain".
    for (const char* name : {"VSTPluginMain", "main", "MAIN"}) {
        if (void* symbol = dlsym(handle_, name)) {
            entry_ = reinterpret_cast<VstEntryProc>(symbol);
            entryName_ = name;
            return;
        }
    }
    dlclose(handle_);
    handle_ = nullptr;
    throw RenderError(ExitCode::module, path + " is not a VST 2.4 plug-in (no VSTPluginMain, main or MAIN)");
}

PluginModule::~PluginModule() {
    if (handle_) dlclose(handle_);
}

}  // namespace render
