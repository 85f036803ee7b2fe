// A plug-in module opened the way a host opens it (dlopen, or LoadLibrary on Windows), for its entry
// points. It stays loaded, as hosts keep plug-in libraries: unloading it at exit would only turn its
// static data into apparent leaks.
#pragma once

#include <string>

#include "plugin/sdk/aeffect.h"

class TestModule {
  public:
    using EntryProc = AEffect*(VSTCALLBACK*)(audioMasterCallback);

    // The Orbitone module of this build, opened once per process.
    static TestModule& orbitone();
    explicit TestModule(const std::string& path);
    TestModule(const TestModule&) = delete;
    TestModule& operator=(const TestModule&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // Null when the module does not export the name.
    EntryProc entry(const char* name) const;
    // The platform's handle of the loaded module (an HMODULE on Windows).
    void* handle() const { return handle_; }

  private:
    void* handle_ = nullptr;
};
