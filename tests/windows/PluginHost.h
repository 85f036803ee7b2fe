// A minimal VST 2.4 host for the Windows test programs: loads Orbitone.dll with LoadLibrary,
// makes instances through an exported entry point and records the automation it is sent.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"

struct AutomationEvent {
    int32_t index;
    float value;
};

class PluginModule {
  public:
    explicit PluginModule(const char* path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const { return module_ != nullptr; }
    // Null when the module does not export the name.
    void* entry(const char* name) const;
    HMODULE handle() const { return module_; }

  private:
    HMODULE module_;
};

class PluginInstance {
  public:
    PluginInstance(const PluginModule& module, const char* entryName = "VSTPluginMain");
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* effect() const { return effect_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0);
    std::string text(int32_t opcode, int32_t index = 0);
    // Open, rate, block size, resume.
    void start(float sampleRate = 44100, int32_t blockSize = 512);
    // Constant levels on the six inputs for one block; the six outputs come back.
    std::vector<std::vector<float>> process(const std::vector<float>& levels, int32_t frames);
    std::vector<std::vector<double>> processDouble(const std::vector<double>& levels, int32_t frames);

    const std::vector<AutomationEvent>& automation() const { return automation_; }
    // The transport the host reports: stopped (no time information) until this is called.
    void setPlaying(bool playing) { playing_ = playing; }

  private:
    static intptr_t VSTCALLBACK hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                             void* ptr, float opt);
    static PluginInstance* constructing_;

    AEffect* effect_ = nullptr;
    std::vector<AutomationEvent> automation_;
    bool playing_ = false;
    VstTimeInfo time_{};
};
