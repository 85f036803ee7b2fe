#include "plugin/lv2/Lv2Adapter.h"

CLv2Adapter::CLv2Adapter(TQuill* effect, const LumoBridge& bridge, double sampleRate, int32_t blockSize)
    : CAdapterKit(effect, bridge), sampleRate_(sampleRate), blockSize_(blockSize) {
    calls.init();
}

CLv2Adapter::~CLv2Adapter() {
    calls.destroy();
}

int32_t CLv2Adapter::inputCount() {
    return inputs_;
}

int32_t CLv2Adapter::outputCount() {
    return outputs_;
}

void CLv2Adapter::declareInputs(int32_t count) {
    inputs_ = count;
}

void CLv2Adapter::declareOutputs(int32_t count) {
    outputs_ = count;
}

void CLv2Adapter::declareUniqueId(int32_t id) {
    uniqueId_ = id;
}

// The state interface always saves the chunk; there is nothing to switch.
void CLv2Adapter::declareProgramsAreChunks(bool) {}

// The effect reports no latency; a latency port would be the place for one.
void CLv2Adapter::declareInitialDelay(int32_t) {}

float CLv2Adapter::hostSampleRate() {
    // The VST edition hands the effect a float rate; the same rounding keeps the two editions equal.
    return static_cast<float>(sampleRate_);
}

int32_t CLv2Adapter::hostBlockSize() {
    return blockSize_;
}

bool CLv2Adapter::hostTime(int32_t, HostTime& time) {
    return transport.answer(time);
}

bool CLv2Adapter::refreshHostDisplay() {
    return false;
}

void CLv2Adapter::automateParameter(int32_t index, double normalisedValue) {
    calls.setParameter(index, static_cast<float>(normalisedValue));
}

bool CLv2Adapter::takeMidiEvent(HostMidiEvent&) {
    return false;
}
