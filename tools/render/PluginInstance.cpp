#include "tools/render/PluginInstance.h"

#include <cstring>

#include "tools/render/RenderError.h"

namespace render {

namespace {
// Far above the published 8/24/64-byte limits: some plug-ins write their full names.
constexpr size_t kTextBuffer = 512;
}  // namespace

PluginInstance::PluginInstance(const PluginModule& module, HostContext& host)
    : PluginInstance(module.entry(), module.path(), host) {}

PluginInstance::PluginInstance(VstEntryProc entry, const std::string& name, HostContext& host) {
    HostContext::setPending(&host);
    effect_ = entry(&HostContext::callback);
    HostContext::setPending(nullptr);
    if (!effect_) throw RenderError(ExitCode::module, name + ": the plug-in made no instance");
    if (effect_->magic != kEffectMagic) {
        effect_ = nullptr;
        throw RenderError(ExitCode::module, name + ": the entry point returned no VST 2.4 effect");
    }
    HostContext::attach(effect_, &host);
    dispatch(effOpen);
}

PluginInstance::~PluginInstance() {
    if (!effect_) return;
    if (running_) suspend();
    dispatch(effClose);
}

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) const {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::textRequest(int32_t opcode, int index) const {
    char buffer[kTextBuffer] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBuffer - 1] = '\0';
    return buffer;
}

std::string PluginInstance::effectName() const {
    return textRequest(effGetEffectName, 0);
}
std::string PluginInstance::parameterName(int index) const {
    return textRequest(effGetParamName, index);
}
std::string PluginInstance::parameterDisplay(int index) const {
    return textRequest(effGetParamDisplay, index);
}
std::string PluginInstance::parameterLabel(int index) const {
    return textRequest(effGetParamLabel, index);
}
std::string PluginInstance::programName() const {
    return textRequest(effGetProgramName, 0);
}

void PluginInstance::setProgramName(const std::string& name) const {
    char buffer[kTextBuffer] = {};
    std::strncpy(buffer, name.c_str(), kTextBuffer - 1);
    dispatch(effSetProgramName, 0, 0, buffer);
}

std::vector<uint8_t> PluginInstance::chunk(bool preset) const {
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

void PluginInstance::setChunk(const std::vector<uint8_t>& data, bool preset) const {
    // The plug-in may keep the pointer for the duration of the call only; a copy guards the caller.
    std::vector<uint8_t> copy = data;
    dispatch(effSetChunk, preset ? 1 : 0, static_cast<intptr_t>(copy.size()), copy.data());
}

void PluginInstance::configure(double sampleRate, int32_t maxBlockSize) const {
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, maxBlockSize);
}

void PluginInstance::resume() const {
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    running_ = true;
}

void PluginInstance::suspend() const {
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    running_ = false;
}

void PluginInstance::processReplacing(float** inputs, float** outputs, int32_t frames) const {
    if (effect_->flags & effFlagsCanReplacing) {
        effect_->processReplacing(effect_, inputs, outputs, frames);
        return;
    }
    // The old entry adds to the outputs, so they start silent.
    for (int c = 0; c < effect_->numOutputs; ++c) std::memset(outputs[c], 0, sizeof(float) * frames);
    effect_->process(effect_, inputs, outputs, frames);
}

}  // namespace render
