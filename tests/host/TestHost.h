// A small VST 2.4 host for tests: loads the module the way a host does, answers the callback with a
// configurable version and transport, and records what the plug-in asks of it.
#pragma once

#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"

struct AutomateCall {
    int32_t index;
    float value;
};

struct HostState {
    intptr_t version = 2400;
    bool giveTime = true;
    VstTimeInfo time{};
    std::vector<AutomateCall> automations;
    int wantMidiCalls = 0;
    int updateDisplayCalls = 0;
    int idleCalls = 0;
    std::vector<int32_t> getTimeFilters;
};

// The module under test, opened once per process.
class TestModule {
  public:
    static TestModule& orbitone();
    explicit TestModule(const std::string& path);
    ~TestModule();

    using EntryProc = AEffect* (*)(audioMasterCallback);
    EntryProc entry(const char* name) const;
    bool loaded() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
};

// One plug-in instance with its own host state.
class TestInstance {
  public:
    explicit TestInstance(const char* entryName = "VSTPluginMain", intptr_t hostVersion = 2400);
    ~TestInstance();
    TestInstance(const TestInstance&) = delete;
    TestInstance& operator=(const TestInstance&) = delete;

    AEffect* effect() const { return effect_; }
    HostState& host() { return state_; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0);
    // Open, set rate and block size, resume: what a host does before processing.
    void start(float sampleRate = 44100, int32_t blockSize = 512);
    void setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }
    float getParameter(int32_t index) { return effect_->getParameter(effect_, index); }
    std::string text(int32_t opcode, int32_t index = 0);
    void setPlaying(bool playing, bool recording = false);

    // Processes frames of constant input per channel; answers the six output channels.
    std::vector<std::vector<float>> process(const std::vector<float>& inputLevels, int32_t frames);
    std::vector<std::vector<double>> processDouble(const std::vector<double>& inputLevels, int32_t frames);

  private:
    static intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                         void* ptr, float opt);
    static TestInstance* creating_;

    HostState state_;
    AEffect* effect_ = nullptr;
};
