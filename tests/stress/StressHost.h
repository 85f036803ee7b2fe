// A host whose callback may be called from the audio, GUI and parameter threads at once: a playing
// transport that never changes, and a tally of the automation the plug-in sends.
#pragma once

#include <atomic>
#include <cstdint>

#include "plugin/sdk/aeffect.h"

class StressHost {
  public:
    StressHost();
    ~StressHost();
    StressHost(const StressHost&) = delete;
    StressHost& operator=(const StressHost&) = delete;

    // The callback to hand to the plug-in; it reaches the StressHost alive at the time.
    static audioMasterCallback callback() { return &StressHost::dispatch; }

    long automations() const { return automations_.load(); }
    long badAutomations() const { return badAutomations_.load(); }
    int32_t firstBadIndex() const { return firstBadIndex_.load(); }
    float firstBadValue() const { return firstBadValue_.load(); }

  private:
    static intptr_t VSTCALLBACK dispatch(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                         void* ptr, float opt);
    void automate(int32_t index, float value);

    static std::atomic<StressHost*> current_;
    VstTimeInfo time_{};  // written before the plug-in exists, only read afterwards
    std::atomic<long> automations_{0};
    std::atomic<long> badAutomations_{0};
    std::atomic<int32_t> firstBadIndex_{-1};
    std::atomic<float> firstBadValue_{0};
};
