// A VST 2.4 module loaded from disk, and its entry point.
#pragma once

#include <string>

#include "plugin/sdk/aeffect.h"

namespace render {

typedef AEffect*(VSTCALLBACK* VstEntryProc)(audioMasterCallback host);

class PluginModule {
  public:
    // Throws RenderError(module) when the file is missing, is no loadable library, or exports
    // none of the VST 2.4 entry names.
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    const std::string& path() const { return path_; }
    VstEntryProc entry() const { return entry_; }
    const char* entryName() const { return entryName_; }

  private:
    std::string path_;
    void* handle_ = nullptr;
    VstEntryProc entry_ = nullptr;
    const char* entryName_ = nullptr;
};

}  // namespace render
