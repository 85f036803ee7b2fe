#include "DirectHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <stdexcept>

namespace {
VstTimeInfo timeInfo{};
}

DirectHost::DirectHost(const std::string& modulePath, double sampleRate, int blockSize)
    : sampleRate_(sampleRate), blockSize_(blockSize) {
    library_ = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library_) throw std::runtime_error(dlerror());
    void* entry = dlsym(library_, "VSTPluginMain");
    if (!entry) entry = dlsym(library_, "main");
    if (!entry) throw std::runtime_error("no entry point");
    using Entry = AEffect* (*)(audioMasterCallback);
    effect_ = reinterpret_cast<Entry>(entry)(&DirectHost::callback);
    if (!effect_) throw std::runtime_error("no instance");
    effect_->dispatcher(effect_, effOpen, 0, 0, nullptr, 0);
    effect_->dispatcher(effect_, effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    effect_->dispatcher(effect_, effSetBlockSize, 0, blockSize, nullptr, 0);
}

DirectHost::~DirectHost() {
    if (effect_) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0);
    if (library_) dlclose(library_);
}

intptr_t VSTCALLBACK DirectHost::callback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&timeInfo);
    return 0;
}

std::vector<std::vector<float>> DirectHost::process(const std::vector<std::vector<float>>& input,
                                                    double tempo) {
    const size_t frames = input.empty() ? 0 : input[0].size();
    std::vector<std::vector<float>> in(static_cast<size_t>(effect_->numInputs), std::vector<float>(frames));
    for (size_t c = 0; c < in.size() && c < input.size(); ++c) in[c] = input[c];
    std::vector<std::vector<float>> out(static_cast<size_t>(effect_->numOutputs), std::vector<float>(frames));
    effect_->dispatcher(effect_, effMainsChanged, 0, 1, nullptr, 0);
    for (size_t start = 0; start < frames; start += static_cast<size_t>(blockSize_)) {
        const auto count = static_cast<int32_t>(std::min(frames - start, static_cast<size_t>(blockSize_)));
        std::vector<float*> ins, outs;
        for (auto& channel : in) ins.push_back(channel.data() + start);
        for (auto& channel : out) outs.push_back(channel.data() + start);
        timeInfo = VstTimeInfo{};
        timeInfo.samplePos = static_cast<double>(start);
        timeInfo.sampleRate = sampleRate_;
        timeInfo.tempo = tempo;
        timeInfo.ppqPos = static_cast<double>(start) / sampleRate_ * tempo / 60.0;
        timeInfo.timeSigNumerator = timeInfo.timeSigDenominator = 4;
        timeInfo.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
        effect_->processReplacing(effect_, ins.data(), outs.data(), count);
    }
    effect_->dispatcher(effect_, effMainsChanged, 0, 0, nullptr, 0);
    return out;
}
