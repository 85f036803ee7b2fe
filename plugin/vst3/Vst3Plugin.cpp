#include "plugin/vst3/Vst3Plugin.h"

#include <cstring>

#include "plugin/vst3/Vst3Adapter.h"
#include "effect/EffectPanel.h"
#include "effect/QuillEffect.h"
#include "plugin/bridge/InstanceAssembly.h"
#include "plugin/vst3/Vst3Parameters.h"
#include "plugin/vst3/Vst3Process.h"
#include "plugin/vst3/Vst3State.h"
#include "plugin/vst3/Vst3Text.h"
#include "plugin/vst3/Vst3View.h"
#include "runtime/Quill.h"

namespace {

constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;
constexpr v3_speaker_arrangement kFivePointOne =
    V3_SPEAKER_L | V3_SPEAKER_R | V3_SPEAKER_C | V3_SPEAKER_LFE | V3_SPEAKER_LS | V3_SPEAKER_RS;
constexpr int32_t kInputChannels = 2;
constexpr int32_t kOutputChannels = 6;

CVst3Plugin* plugin(void* self) {
    return ownerOf<CVst3Plugin>(self);
}

// IPluginBase, shared by the component and the controller.
v3_result V3_API initialize(void* self, v3_funknown**) {
    CVst3Plugin* p = plugin(self);
    return p != nullptr ? p->initialize() : kInvalidArgument;
}

v3_result V3_API terminate(void* self) {
    CVst3Plugin* p = plugin(self);
    return p != nullptr ? p->terminate() : kInvalidArgument;
}

// IComponent.
v3_result V3_API getControllerClassId(void*, v3_tuid) {
    return V3_NOT_IMPLEMENTED;
}

v3_result V3_API setIoMode(void*, int32_t) {
    return V3_OK;
}

bool audioBus(int32_t type, int32_t direction, int32_t index) {
    return type == V3_AUDIO && (direction == V3_INPUT || direction == V3_OUTPUT) && index == 0;
}

int32_t V3_API getBusCount(void*, int32_t type, int32_t direction) {
    return audioBus(type, direction, 0) ? 1 : 0;
}

v3_result V3_API getBusInfo(void*, int32_t type, int32_t direction, int32_t index, v3_bus_info* info) {
    if (info == nullptr || !audioBus(type, direction, index)) return V3_INVALID_ARG;
    *info = v3_bus_info{};
    info->media_type = V3_AUDIO;
    info->direction = direction;
    info->channel_count = direction == V3_INPUT ? kInputChannels : kOutputChannels;
    copyToUtf16(info->bus_name, 128, direction == V3_INPUT ? "Stereo In" : "5.1 Out");
    info->bus_type = V3_MAIN;
    info->flags = V3_DEFAULT_ACTIVE;
    return V3_OK;
}

v3_result V3_API getRoutingInfo(void*, v3_routing_info*, v3_routing_info*) {
    return V3_NOT_IMPLEMENTED;
}

v3_result V3_API activateBus(void*, int32_t type, int32_t direction, int32_t index, v3_bool) {
    return audioBus(type, direction, index) ? kResultOk : kInvalidArgument;
}

v3_result V3_API setActive(void* self, v3_bool state) {
    CVst3Plugin* p = plugin(self);
    return p != nullptr ? p->setActive(state != 0) : kInvalidArgument;
}

v3_result V3_API setState(void* self, v3_bstream** stream) {
    CVst3Plugin* p = plugin(self);
    return p != nullptr ? readVst3State(p->adapter(), stream) : kInvalidArgument;
}

v3_result V3_API getState(void* self, v3_bstream** stream) {
    CVst3Plugin* p = plugin(self);
    return p != nullptr ? writeVst3State(p->adapter(), stream) : kInvalidArgument;
}

// IAudioProcessor.
v3_result V3_API setBusArrangements(void*, v3_speaker_arrangement* inputs, int32_t inputCount,
                                    v3_speaker_arrangement* outputs, int32_t outputCount) {
    if (inputCount != 1 || outputCount != 1 || inputs == nullptr || outputs == nullptr) return V3_FALSE;
    return inputs[0] == kStereo && outputs[0] == kFivePointOne ? kResultOk : kResultFalse;
}

v3_result V3_API getBusArrangement(void*, int32_t direction, int32_t index,
                                   v3_speaker_arrangement* arrangement) {
    if (arrangement == nullptr || !audioBus(V3_AUDIO, direction, index)) return V3_INVALID_ARG;
    *arrangement = direction == V3_INPUT ? kStereo : kFivePointOne;
    return V3_OK;
}

v3_result V3_API canProcessSampleSize(void*, int32_t size) {
    return size == V3_SAMPLE_32 || size == V3_SAMPLE_64 ? kResultOk : kResultFalse;
}

uint32_t V3_API getLatencySamples(void*) {
    return 0;
}

v3_result V3_API setupProcessing(void* self, v3_process_setup* setup) {
    CVst3Plugin* p = plugin(self);
    if (p == nullptr || setup == nullptr || !(setup->sample_rate > 0)) return V3_INVALID_ARG;
    p->adapter().setProcessing(setup->sample_rate, setup->max_block_size);
    p->bypass().prepare(setup->max_block_size);
    return V3_OK;
}

v3_result V3_API setProcessing(void*, v3_bool) {
    return V3_OK;
}

v3_result V3_API process(void* self, v3_process_data* data) {
    CVst3Plugin* p = plugin(self);
    if (p == nullptr || data == nullptr) return V3_INVALID_ARG;
    return processVst3Block(p->adapter(), p->bypass(), *data);
}

uint32_t V3_API getTailSamples(void*) {
    return 0;
}

// IProcessContextRequirements.
uint32_t V3_API processContextRequirements(void*) {
    return V3_PROCESS_CTX_NEED_PROJECT_TIME | V3_PROCESS_CTX_NEED_BAR_POSITION | V3_PROCESS_CTX_NEED_TEMPO |
           V3_PROCESS_CTX_NEED_TIME_SIG | V3_PROCESS_CTX_NEED_TRANSPORT_STATE;
}

// IEditController. Its values are the effect's own, so the component's state needs no second reading.
v3_result V3_API setComponentState(void*, v3_bstream**) {
    return V3_OK;
}

v3_result V3_API setControllerState(void*, v3_bstream**) {
    return V3_OK;
}

v3_result V3_API getControllerState(void*, v3_bstream**) {
    return V3_OK;
}

const TQuill* effectOf(void* self) {
    CVst3Plugin* p = plugin(self);
    return p != nullptr ? p->adapter().effect : nullptr;
}

int32_t V3_API getParameterCount(void* self) {
    const TQuill* effect = effectOf(self);
    return effect != nullptr ? vst3ParameterCount(*effect) : 0;
}

v3_result V3_API getParameterInfo(void* self, int32_t index, v3_param_info* info) {
    const TQuill* effect = effectOf(self);
    if (effect == nullptr || info == nullptr) return V3_INVALID_ARG;
    return vst3ParameterInfo(*effect, index, *info) ? kResultOk : kInvalidArgument;
}

v3_result V3_API getParameterStringForValue(void* self, v3_param_id id, double normalised,
                                            v3_str_128 output) {
    const TQuill* effect = effectOf(self);
    if (effect == nullptr || output == nullptr || !vst3IsParameter(*effect, id)) return V3_INVALID_ARG;
    copyToUtf16(output, 128, vst3DisplayText(*effect, id, normalised));
    return V3_OK;
}

v3_result V3_API getParameterValueForString(void* self, v3_param_id id, int16_t* input, double* output) {
    const TQuill* effect = effectOf(self);
    if (effect == nullptr || input == nullptr || output == nullptr) return V3_INVALID_ARG;
    return vst3ValueFromText(*effect, id, fromUtf16(input, 128), *output) ? kResultOk : kResultFalse;
}

double V3_API normalisedToPlain(void* self, v3_param_id id, double normalised) {
    const TQuill* effect = effectOf(self);
    return effect != nullptr && vst3IsParameter(*effect, id) ? vst3ToPlain(*effect, id, normalised) : 0;
}

double V3_API plainToNormalised(void* self, v3_param_id id, double plain) {
    const TQuill* effect = effectOf(self);
    return effect != nullptr && vst3IsParameter(*effect, id) ? vst3ToNormalised(*effect, id, plain) : 0;
}

double V3_API getParameterNormalised(void* self, v3_param_id id) {
    CVst3Plugin* p = plugin(self);
    if (p == nullptr || p->adapter().effect == nullptr) return 0;
    const TQuill& effect = *p->adapter().effect;
    if (static_cast<int32_t>(id) == vst3BypassId(effect)) return p->bypass().requested() ? 1 : 0;
    return vst3CurrentNormalised(effect, id);
}

// Sets the effect's parameter as the VST 2.4 edition's setParameter does; the processor gets the
// same value again with the processing data, which then changes nothing.
v3_result V3_API setParameterNormalised(void* self, v3_param_id id, double normalised) {
    CVst3Plugin* p = plugin(self);
    if (p == nullptr || p->adapter().effect == nullptr) return V3_INVALID_ARG;
    CVst3Adapter& adapter = p->adapter();
    const TQuill& effect = *adapter.effect;
    if (!vst3IsParameter(effect, id)) return V3_INVALID_ARG;
    if (static_cast<int32_t>(id) == vst3BypassId(effect)) {
        p->bypass().request(normalised >= 0.5);
    } else {
        adapter.calls.setParameter(static_cast<int32_t>(id), vst3ToBridgeValue(effect, id, normalised));
    }
    return V3_OK;
}

v3_result V3_API setComponentHandler(void* self, v3_component_handler** handler) {
    CVst3Plugin* p = plugin(self);
    if (p == nullptr) return V3_INVALID_ARG;
    p->adapter().setComponentHandler(handler);
    return V3_OK;
}

v3_plugin_view** V3_API createView(void* self, const char* name) {
    CVst3Plugin* p = plugin(self);
    if (p == nullptr || name == nullptr || std::strcmp(name, "editor") != 0) return nullptr;
    return CVst3View::create(p->adapter(), self);
}

// One module: the panel is there from the start, as in the VST 2.4 edition.
TQuill* effectWithPanel() {
    auto* effect = new TQuillEffect();
    effect->AttachPanel(makeEffectPanel());
    return effect;
}

const v3_component_cpp kComponentTable = {
    Vst3Unknown<CVst3Plugin>::functions,
    {initialize, terminate},
    {getControllerClassId, setIoMode, getBusCount, getBusInfo, getRoutingInfo, activateBus, setActive,
     setState, getState},
};

const v3_audio_processor_cpp kProcessorTable = {
    Vst3Unknown<CVst3Plugin>::functions,
    {setBusArrangements, getBusArrangement, canProcessSampleSize, getLatencySamples, setupProcessing,
     setProcessing, process, getTailSamples},
};

const v3_edit_controller_cpp kControllerTable = {
    Vst3Unknown<CVst3Plugin>::functions,
    {initialize, terminate},
    {setComponentState, setControllerState, getControllerState, getParameterCount, getParameterInfo,
     getParameterStringForValue, getParameterValueForString, normalisedToPlain, plainToNormalised,
     getParameterNormalised, setParameterNormalised, setComponentHandler, createView},
};

const v3_process_context_requirements_cpp kRequirementsTable = {
    Vst3Unknown<CVst3Plugin>::functions,
    {processContextRequirements},
};

}  // namespace

CVst3Plugin::CVst3Plugin()
    : component_{&kComponentTable, this},
      processor_{&kProcessorTable, this},
      controller_{&kControllerTable, this},
      requirements_{&kRequirementsTable, this},
      adapter_(assembleInstance(effectWithPanel(), [](TQuill* effect, const LumoBridge& bridge) {
          return new CVst3Adapter(effect, bridge);
      })) {
    adapter_->calls.open();
    bypass_.prepare(adapter_->hostBlockSize());
}

CVst3Plugin::~CVst3Plugin() {
    if (active_) setActive(false);
    adapter_->calls.close();
    delete adapter_;
}

void* CVst3Plugin::create(const v3_tuid iid) {
    auto* plugin = new CVst3Plugin();
    void* object = nullptr;
    plugin->query(iid, &object);
    plugin->unref();
    return object;
}

v3_result CVst3Plugin::query(const v3_tuid iid, void** object) {
    Vst3Face<CVst3Plugin>* face = nullptr;
    if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_base_iid) ||
        v3_tuid_match(iid, v3_component_iid))
        face = &component_;
    else if (v3_tuid_match(iid, v3_audio_processor_iid))
        face = &processor_;
    else if (v3_tuid_match(iid, v3_edit_controller_iid))
        face = &controller_;
    else if (v3_tuid_match(iid, v3_process_context_requirements_iid))
        face = &requirements_;
    if (face == nullptr) {
        *object = nullptr;
        return V3_NO_INTERFACE;
    }
    ref();
    *object = face;
    return V3_OK;
}

uint32_t CVst3Plugin::unref() {
    const uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
}

v3_result CVst3Plugin::initialize() {
    ++initialized_;
    return V3_OK;
}

v3_result CVst3Plugin::terminate() {
    if (initialized_ == 0) return V3_FALSE;
    if (--initialized_ == 0) adapter_->setComponentHandler(nullptr);
    return V3_OK;
}

v3_result CVst3Plugin::setActive(bool active) {
    if (active == active_) return V3_OK;
    active_ = active;
    if (active)
        adapter_->calls.resume();
    else
        adapter_->calls.suspend();
    return V3_OK;
}
