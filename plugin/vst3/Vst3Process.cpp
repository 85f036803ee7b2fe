#include "plugin/vst3/Vst3Process.h"

#include <algorithm>

#include "plugin/bridge/DenormalGuard.h"
#include "plugin/bridge/ParameterMapping.h"
#include "plugin/vst3/Vst3Adapter.h"
#include "plugin/vst3/Vst3Assembly.h"
#include "plugin/vst3/Vst3Bypass.h"
#include "plugin/vst3/Vst3Parameters.h"

namespace {

constexpr int32_t kEffectChannels = 6;
constexpr int32_t kSmoothingParameter = 6;

template <typename Sample>
Sample** channelsOf(v3_audio_bus_buffers& bus);

template <>
float** channelsOf<float>(v3_audio_bus_buffers& bus) {
    return bus.channel_buffers_32;
}

template <>
double** channelsOf<double>(v3_audio_bus_buffers& bus) {
    return bus.channel_buffers_64;
}

template <typename Sample>
bool busesPresent(v3_process_data& data) {
    if (data.num_input_buses < 1 || data.num_output_buses < 1 || data.inputs == nullptr ||
        data.outputs == nullptr)
        return false;
    if (data.inputs[0].num_channels < 2 || data.outputs[0].num_channels < kEffectChannels) return false;
    Sample** in = channelsOf<Sample>(data.inputs[0]);
    Sample** out = channelsOf<Sample>(data.outputs[0]);
    if (in == nullptr || out == nullptr || in[0] == nullptr || in[1] == nullptr) return false;
    for (int32_t k = 0; k < kEffectChannels; ++k) {
        if (out[k] == nullptr) return false;
    }
    return true;
}

template <typename Sample>
void silenceOutputs(v3_process_data& data) {
    if (data.nframes <= 0 || data.outputs == nullptr) return;
    for (int32_t b = 0; b < data.num_output_buses; ++b) {
        Sample** out = channelsOf<Sample>(data.outputs[b]);
        if (out == nullptr) continue;
        for (int32_t k = 0; k < data.outputs[b].num_channels; ++k) {
            if (out[k] != nullptr) std::fill(out[k], out[k] + data.nframes, Sample(0));
        }
        data.outputs[b].channel_silence_bitset = ~uint64_t{0};
    }
}

void runEffect(CVst3Adapter& adapter, float** inputs, float** outputs, int32_t frames) {
    if (adapter.bridge.processReplacing != nullptr)
        adapter.bridge.processReplacing(&adapter, inputs, outputs, frames);
}

void runEffect(CVst3Adapter& adapter, double** inputs, double** outputs, int32_t frames) {
    if (adapter.bridge.processDoubleReplacing != nullptr)
        adapter.bridge.processDoubleReplacing(&adapter, inputs, outputs, frames);
}

// The effect takes six inputs and uses the first two: the other four read the matching outputs,
// which every frame overwrites only after all its inputs were read.
template <typename Sample>
void processSpan(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_process_data& data, int32_t start,
                 int32_t end) {
    Sample** hostIn = channelsOf<Sample>(data.inputs[0]);
    Sample** hostOut = channelsOf<Sample>(data.outputs[0]);
    const double rampFrames =
        parameterPlainValue(*adapter.effect, kSmoothingParameter) / 1000.0 * adapter.hostSampleRate();
    while (start < end) {
        // While bypassed the dry inputs are kept first, as much at a time as there is room for.
        const bool engaged = bypass.engaged() && bypass.capacity() > 0;
        const int32_t frames = engaged ? std::min(end - start, bypass.capacity()) : end - start;
        Sample* inputs[kEffectChannels];
        Sample* outputs[kEffectChannels];
        for (int32_t k = 0; k < kEffectChannels; ++k) outputs[k] = hostOut[k] + start;
        inputs[0] = hostIn[0] + start;
        inputs[1] = hostIn[1] + start;
        for (int32_t k = 2; k < kEffectChannels; ++k) inputs[k] = outputs[k];
        if (engaged) bypass.keep(inputs[0], inputs[1], frames);
        runEffect(adapter, inputs, outputs, frames);
        if (engaged) bypass.mix(outputs, frames, rampFrames);
        start += frames;
    }
}

void applyChange(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_param_id id, double value) {
    if (static_cast<int32_t>(id) == vst3BypassId(*adapter.effect)) {
        bypass.request(value >= 0.5);
    } else if (vst3IsParameter(*adapter.effect, id) && adapter.bridge.setParameter != nullptr) {
        adapter.bridge.setParameter(&adapter, static_cast<int32_t>(id),
                                    vst3ToBridgeValue(*adapter.effect, id, value));
    }
}

template <typename Sample>
v3_result process(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_process_data& data) {
    const bool audio = data.nframes > 0 && busesPresent<Sample>(data);
    CVst3ChangeSplit split(data.input_params, audio ? data.nframes : 0);
    CVst3ChangeSplit::Step step;
    while (split.next(step)) {
        if (step.isChange) {
            applyChange(adapter, bypass, step.id, step.value);
            continue;
        }
        adapter.takeTransport(data.ctx, step.start);
        processSpan<Sample>(adapter, bypass, data, step.start, step.end);
    }
    if (!audio) {
        silenceOutputs<Sample>(data);
        return V3_OK;
    }
    data.outputs[0].channel_silence_bitset = 0;
    return V3_OK;
}

}  // namespace

v3_result processVst3Block(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_process_data& data) {
    if (adapter.effect == nullptr) return V3_NOT_INITIALIZED;
    DenormalGuard denormals;
    if (data.symbolic_sample_size == V3_SAMPLE_64) return process<double>(adapter, bypass, data);
    if (data.symbolic_sample_size == V3_SAMPLE_32) return process<float>(adapter, bypass, data);
    return V3_INVALID_ARG;
}
