#include "tests/windows/PluginHost.h"

#include <cstring>

PluginInstance* PluginInstance::constructing_ = nullptr;

PluginModule::PluginModule(const char* path) : module_(LoadLibraryA(path)) {}

PluginModule::~PluginModule() {
    if (module_) FreeLibrary(module_);
}

void* PluginModule::entry(const char* name) const {
    return module_ ? reinterpret_cast<void*>(GetProcAddress(module_, name)) : nullptr;
}

PluginInstance::PluginInstance(const PluginModule& module, const char* entryName) {
    auto main = reinterpret_cast<AEffect*(VSTCALLBACK*)(audioMasterCallback)>(module.entry(entryName));
    if (!main) return;
    // The entry point calls back before the record (and so its user field) exists.
    constructing_ = this;
    effect_ = main(hostCallback);
    constructing_ = nullptr;
    if (effect_) effect_->user = this;
}

PluginInstance::~PluginInstance() {
    if (effect_) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0);
}

intptr_t VSTCALLBACK PluginInstance::hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t,
                                                  void*, float opt) {
    PluginInstance* self =
        effect && effect->user ? static_cast<PluginInstance*>(effect->user) : constructing_;
    switch (opcode) {
        case audioMasterVersion:
            return 2400;
        case audioMasterAutomate:
            if (self) self->automation_.push_back({index, opt});
            return 0;
        case audioMasterGetTime:
            if (!self || !self->playing_) return 0;
            self->time_.flags = kVstTransportPlaying;
            return reinterpret_cast<intptr_t>(&self->time_);
        default:
            return 0;
    }
}

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect_ ? effect_->dispatcher(effect_, opcode, index, value, ptr, opt) : 0;
}

std::string PluginInstance::text(int32_t opcode, int32_t index) {
    char buffer[256];
    std::memset(buffer, 0, sizeof buffer);
    dispatch(opcode, index, 0, buffer);
    buffer[sizeof buffer - 1] = 0;
    return buffer;
}

void PluginInstance::start(float sampleRate, int32_t blockSize) {
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

namespace {
template <typename Sample, typename Process>
std::vector<std::vector<Sample>> runBlock(AEffect* effect, Process process, const std::vector<Sample>& levels,
                                          int32_t frames) {
    const size_t channels = 6;
    std::vector<std::vector<Sample>> in(channels, std::vector<Sample>(static_cast<size_t>(frames), 0));
    std::vector<std::vector<Sample>> out(channels, std::vector<Sample>(static_cast<size_t>(frames), 0));
    std::vector<Sample*> inPointers(channels), outPointers(channels);
    for (size_t c = 0; c < channels; ++c) {
        for (auto& s : in[c]) s = c < levels.size() ? levels[c] : 0;
        inPointers[c] = in[c].data();
        outPointers[c] = out[c].data();
    }
    if (effect && process) process(effect, inPointers.data(), outPointers.data(), frames);
    return out;
}
}  // namespace

std::vector<std::vector<float>> PluginInstance::process(const std::vector<float>& levels, int32_t frames) {
    return runBlock<float>(effect_, effect_ ? effect_->processReplacing : nullptr, levels, frames);
}

std::vector<std::vector<double>> PluginInstance::processDouble(const std::vector<double>& levels,
                                                               int32_t frames) {
    return runBlock<double>(effect_, effect_ ? effect_->processDoubleReplacing : nullptr, levels, frames);
}
