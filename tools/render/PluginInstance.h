// One instance of a loaded module, driven the way a host drives it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"
#include "tools/render/HostContext.h"
#include "tools/render/PluginModule.h"

namespace render {

class PluginInstance {
  public:
    // Calls the entry point and opens the instance; throws RenderError(module) on refusal.
    PluginInstance(const PluginModule& module, HostContext& host);
    // The same through an entry point already at hand; name stands for the module in messages.
    PluginInstance(VstEntryProc entry, const std::string& name, HostContext& host);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* effect() const { return effect_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const;

    int numParams() const { return effect_->numParams; }
    int numInputs() const { return effect_->numInputs; }
    int numOutputs() const { return effect_->numOutputs; }
    int32_t uniqueId() const { return effect_->uniqueID; }
    int32_t version() const { return effect_->version; }
    bool programsAreChunks() const { return (effect_->flags & effFlagsProgramChunks) != 0; }
    std::string effectName() const;

    std::string parameterName(int index) const;
    std::string parameterDisplay(int index) const;
    std::string parameterLabel(int index) const;
    float parameter(int index) const { return effect_->getParameter(effect_, index); }
    void setParameter(int index, float value) const { effect_->setParameter(effect_, index, value); }

    std::string programName() const;
    void setProgramName(const std::string& name) const;

    // The plug-in's state; preset selects the single-program form over the bank form.
    std::vector<uint8_t> chunk(bool preset) const;
    void setChunk(const std::vector<uint8_t>& data, bool preset) const;

    void configure(double sampleRate, int32_t maxBlockSize) const;
    void resume() const;
    void suspend() const;
    void processReplacing(float** inputs, float** outputs, int32_t frames) const;

  private:
    std::string textRequest(int32_t opcode, int index) const;

    AEffect* effect_ = nullptr;
    mutable bool running_ = false;
};

}  // namespace render
