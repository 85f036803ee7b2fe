// A minimal host for checking the renderer: loads a module with dlopen, drives one instance
// through whole buffers with a plain playing transport, and nothing else.
#pragma once

#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"

class DirectHost {
  public:
    DirectHost(const std::string& modulePath, double sampleRate, int blockSize);
    ~DirectHost();

    AEffect* effect() const { return effect_; }
    void setParameter(int index, float value) { effect_->setParameter(effect_, index, value); }
    // Processes channel-major audio in blocks of the size given; missing inputs are silent.
    std::vector<std::vector<float>> process(const std::vector<std::vector<float>>& input, double tempo);

  private:
    static intptr_t VSTCALLBACK callback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float);

    void* library_ = nullptr;
    AEffect* effect_ = nullptr;
    double sampleRate_;
    int blockSize_;
};
