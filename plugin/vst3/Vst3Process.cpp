#include "plugin/vst3/Vst3Process.h"

#include <algorithm>

#include "plugin/bridge/BlockSplit.h"
#include "plugin/bridge/DenormalGuard.h"
#include "plugin/bridge/ParameterMapping.h"
#include "plugin/vst3/Vst3Adapter.h"
#include "plugin/vst3/Vst3Bypass.h"
#include "plugin/vst3/Vst3Changes.h"

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

// The effect takes six inputs and uses the first two: the other four read the matching outputs,
// which every frame overwrites only after all its inputs were read. While bypassed the dry inputs
// are kept first, a piece as long as there is room for at a time.
template <typename Sample>
void processBlock(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_process_data& data, CVst3Changes& changes) {
    Sample** hostIn = channelsOf<Sample>(data.inputs[0]);
    Sample** hostOut = channelsOf<Sample>(data.outputs[0]);
    const double rampFrames =
        parameterPlainValue(*adapter.effect, kSmoothingParameter) / 1000.0 * adapter.hostSampleRate();
    const int32_t frames = data.nframes;
    int32_t start = 0;
    while (start < frames) {
        const bool engaged = bypass.engaged() && bypass.capacity() > 0;
        const int32_t length = engaged ? std::min(frames - start, bypass.capacity()) : frames - start;
        Sample* inputs[kEffectChannels];
        Sample* outputs[kEffectChannels];
        for (int32_t k = 0; k < kEffectChannels; ++k) outputs[k] = hostOut[k] + start;
        inputs[0] = hostIn[0] + start;
        inputs[1] = hostIn[1] + start;
        for (int32_t k = 2; k < kEffectChannels; ++k) inputs[k] = outputs[k];
        if (engaged) bypass.keep(inputs[0], inputs[1], length);
        changes.piece(start, start + length, start + length == frames);
        runSplitBlock(adapter, inputs, outputs, kEffectChannels, static_cast<uint32_t>(length), changes);
        if (engaged) bypass.mix(outputs, length, rampFrames);
        start += length;
    }
}

template <typename Sample>
v3_result process(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_process_data& data) {
    CVst3Changes changes(adapter, bypass, data);
    if (data.nframes <= 0 || !busesPresent<Sample>(data)) {
        changes.piece(0, 0, true);
        applyTimedChanges(adapter, changes);
        silenceOutputs<Sample>(data);
        return V3_OK;
    }
    processBlock<Sample>(adapter, bypass, data, changes);
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
