// A host written the way older and stricter DAWs behave, to check that the module copes: it picks
// its entry name, answers a chosen VST version, and drives blocks with a playing transport.
#pragma once

#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"

using Channels = std::vector<std::vector<float>>;

class ToleranceHost {
  public:
    // Opens the module once per entry name; an instance needs create().
    explicit ToleranceHost(const char* entryName = "VSTPluginMain", intptr_t hostVersion = 2400);
    ~ToleranceHost();
    ToleranceHost(const ToleranceHost&) = delete;
    ToleranceHost& operator=(const ToleranceHost&) = delete;

    bool entryFound() const { return entry_ != nullptr; }
    AEffect* create();
    AEffect* effect() const { return effect_; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0);
    // Open, rate, maximum block size, resume.
    void start(float sampleRate, int32_t maxBlock);
    void changeSampleRate(float sampleRate);
    void setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }
    float getParameter(int32_t index) { return effect_->getParameter(effect_, index); }
    std::vector<uint8_t> chunk(int32_t presetFlag);

    // Processes the signal in calls of the given sizes, repeating the list until it is used up.
    Channels process(const Channels& input, const std::vector<int32_t>& blockSizes);

  private:
    static intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                         void* ptr, float opt);

    void* library_ = nullptr;
    AEffect* (*entry_)(audioMasterCallback) = nullptr;
    intptr_t version_;
    AEffect* effect_ = nullptr;
    float sampleRate_ = 44100;
    VstTimeInfo time_{};
};

// A reproducible stereo test signal, silent on the other four inputs.
Channels stereoNoise(size_t frames);
