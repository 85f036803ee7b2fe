#include "plugin/clap/ClapAdapter.h"

#include <cstring>

#include "plugin/bridge/ParameterMapping.h"
#include "plugin/clap/ClapHostExtension.h"
#include "runtime/Quill.h"

CClapAdapter::CClapAdapter(TQuill* effect, const LumoBridge& bridge, const clap_host_t* host)
    : CAdapterKit(effect, bridge), host_(host) {
    hostParams_ = clapHostExtension<clap_host_params_t>(host_, CLAP_EXT_PARAMS);
    calls.init();
}

CClapAdapter::~CClapAdapter() {
    calls.destroy();
}

int32_t CClapAdapter::inputCount() {
    return inputs_;
}

int32_t CClapAdapter::outputCount() {
    return outputs_;
}

void CClapAdapter::declareInputs(int32_t count) {
    inputs_ = count;
}

void CClapAdapter::declareOutputs(int32_t count) {
    outputs_ = count;
}

// The plug-in's id is its descriptor's; there is no number to keep.
void CClapAdapter::declareUniqueId(int32_t) {}

// The state extension always saves the chunk; there is nothing to switch.
void CClapAdapter::declareProgramsAreChunks(bool) {}

// The effect reports no latency; the latency extension would be the place for one.
void CClapAdapter::declareInitialDelay(int32_t) {}

float CClapAdapter::hostSampleRate() {
    // The VST edition hands the effect a float rate; the same rounding keeps the two editions equal.
    return static_cast<float>(sampleRate_.load(std::memory_order_relaxed));
}

int32_t CClapAdapter::hostBlockSize() {
    return blockSize_.load(std::memory_order_relaxed);
}

bool CClapAdapter::hostTime(int32_t, HostTime& time) {
    return transport.answer(time);
}

bool CClapAdapter::refreshHostDisplay() {
    return false;
}

void CClapAdapter::automateParameter(int32_t index, double normalisedValue) {
    if (effect == nullptr || index < 0) return;
    calls.setParameter(index, static_cast<float>(normalisedValue));
    panelEvents.change(static_cast<uint32_t>(index), parameterPlainValue(*effect, index));
    requestFlush();
}

bool CClapAdapter::takeMidiEvent(HostMidiEvent&) {
    return false;
}

void CClapAdapter::setProcessing(double sampleRate, int32_t maxFrames) {
    sampleRate_.store(sampleRate, std::memory_order_relaxed);
    if (maxFrames > 0) blockSize_.store(maxFrames, std::memory_order_relaxed);
}

void CClapAdapter::panelTick() {
    if (effect != nullptr && effect->mouseFlags == 0) panelEvents.closeGestures();
    // Also picks up changes queued while the host stopped processing in between.
    requestFlush();
}

void CClapAdapter::requestFlush() {
    // While the host processes, the next process call hands the changes on by itself.
    if (processing.load(std::memory_order_acquire) || !panelEvents.pending()) return;
    if (hostParams_ != nullptr && hostParams_->request_flush != nullptr) hostParams_->request_flush(host_);
}

void CClapAdapter::valuesChanged() {
    if (hostParams_ != nullptr && hostParams_->rescan != nullptr)
        hostParams_->rescan(host_, CLAP_PARAM_RESCAN_VALUES);
}
