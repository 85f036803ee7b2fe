#include "StressHost.h"

#include <cmath>

std::atomic<StressHost*> StressHost::current_{nullptr};

StressHost::StressHost() {
    time_.sampleRate = 48000;
    time_.tempo = 120;
    time_.timeSigNumerator = 4;
    time_.timeSigDenominator = 4;
    time_.ppqPos = 16;
    time_.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    current_.store(this);
}

StressHost::~StressHost() {
    current_.store(nullptr);
}

intptr_t VSTCALLBACK StressHost::dispatch(AEffect*, int32_t opcode, int32_t index, intptr_t, void*,
                                          float opt) {
    StressHost* host = current_.load();
    switch (opcode) {
        case audioMasterVersion:
            return 2400;
        case audioMasterAutomate:
            if (host != nullptr) host->automate(index, opt);
            return 0;
        case audioMasterGetTime:
            return host != nullptr ? reinterpret_cast<intptr_t>(&host->time_) : 0;
        case audioMasterWantMidi:
        case audioMasterIdle:
        case audioMasterUpdateDisplay:
            return 1;
        default:
            return 0;
    }
}

void StressHost::automate(int32_t index, float value) {
    automations_.fetch_add(1);
    if (std::isfinite(value) && value >= 0.0f && value <= 1.0f) return;
    if (badAutomations_.fetch_add(1) == 0) {
        firstBadIndex_.store(index);
        firstBadValue_.store(value);
    }
}
