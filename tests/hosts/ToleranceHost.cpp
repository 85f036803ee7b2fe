#include "ToleranceHost.h"

#include <dlfcn.h>

#include <algorithm>

namespace {
// The callback has no instance pointer while the entry point runs; tests create one at a time.
ToleranceHost* creating = nullptr;
}  // namespace

ToleranceHost::ToleranceHost(const char* entryName, intptr_t hostVersion) : version_(hostVersion) {
    library_ = dlopen(ORBITONE_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (library_) entry_ = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(library_, entryName));
}

ToleranceHost::~ToleranceHost() {
    if (effect_) {
        dispatch(effMainsChanged, 0, 0);
        dispatch(effClose);
    }
    if (library_) dlclose(library_);
}

AEffect* ToleranceHost::create() {
    creating = this;
    effect_ = entry_(&ToleranceHost::callback);
    creating = nullptr;
    if (effect_) effect_->user = this;
    return effect_;
}

intptr_t VSTCALLBACK ToleranceHost::callback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void*,
                                             float) {
    ToleranceHost* host = effect && effect->user ? static_cast<ToleranceHost*>(effect->user) : creating;
    if (!host) return 0;
    if (opcode == audioMasterVersion) return host->version_;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&host->time_);
    return 0;
}

intptr_t ToleranceHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void ToleranceHost::start(float sampleRate, int32_t maxBlock) {
    sampleRate_ = sampleRate;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, maxBlock);
    dispatch(effMainsChanged, 0, 1);
}

void ToleranceHost::changeSampleRate(float sampleRate) {
    sampleRate_ = sampleRate;
    dispatch(effMainsChanged, 0, 0);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effMainsChanged, 0, 1);
}

std::vector<uint8_t> ToleranceHost::chunk(int32_t presetFlag) {
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, presetFlag, 0, &data);
    if (size <= 0 || !data) return {};
    return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

Channels ToleranceHost::process(const Channels& input, const std::vector<int32_t>& blockSizes) {
    const size_t frames = input[0].size();
    Channels in(static_cast<size_t>(effect_->numInputs), std::vector<float>(frames));
    std::copy(input.begin(), input.begin() + std::min(input.size(), in.size()), in.begin());
    Channels out(static_cast<size_t>(effect_->numOutputs), std::vector<float>(frames));
    size_t done = 0;
    for (size_t call = 0; done < frames; ++call) {
        const auto count = static_cast<int32_t>(
            std::min(frames - done, static_cast<size_t>(blockSizes[call % blockSizes.size()])));
        std::vector<float*> ins, outs;
        for (auto& channel : in) ins.push_back(channel.data() + done);
        for (auto& channel : out) outs.push_back(channel.data() + done);
        time_ = VstTimeInfo{};
        time_.samplePos = static_cast<double>(done);
        time_.sampleRate = sampleRate_;
        time_.tempo = 120;
        time_.ppqPos = static_cast<double>(done) / sampleRate_ * 2.0;
        time_.timeSigNumerator = time_.timeSigDenominator = 4;
        time_.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
        effect_->processReplacing(effect_, ins.data(), outs.data(), count);
        done += static_cast<size_t>(count);
    }
    return out;
}

Channels stereoNoise(size_t frames) {
    Channels signal(2, std::vector<float>(frames));
    uint32_t state = 2024;
    for (auto& channel : signal)
        for (float& sample : channel) {
            state = state * 1103515245u + 12345u;
            sample = static_cast<float>((state >> 9) & 0xFFFF) / 32768.0f - 1.0f;
        }
    return signal;
}
