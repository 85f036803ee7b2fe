#include "plugin/clap/ClapProcess.h"

#include <algorithm>

#include "plugin/bridge/DenormalGuard.h"
#include "plugin/bridge/ParameterMapping.h"
#include "plugin/clap/ClapAdapter.h"

namespace {

constexpr int32_t kEffectChannels = 6;
constexpr uint32_t kInputChannels = 2;

struct Buffers {
    float* inputs[kEffectChannels] = {};
    float* outputs[kEffectChannels] = {};
};

// The main ports as the host gave them; false when a channel the effect needs is missing.
bool buffersOf(const clap_process_t& process, Buffers& buffers) {
    if (process.audio_inputs_count < 1 || process.audio_outputs_count < 1) return false;
    if (process.audio_inputs == nullptr || process.audio_outputs == nullptr) return false;
    const clap_audio_buffer_t& in = process.audio_inputs[0];
    const clap_audio_buffer_t& out = process.audio_outputs[0];
    if (in.data32 == nullptr || out.data32 == nullptr) return false;
    if (in.channel_count < kInputChannels || out.channel_count < kEffectChannels) return false;
    for (int32_t k = 0; k < kEffectChannels; ++k) {
        buffers.outputs[k] = out.data32[k];
        if (buffers.outputs[k] == nullptr) return false;
    }
    // The effect takes six inputs and uses the first two: the other four read the matching outputs,
    // which every frame overwrites only after all its inputs were read.
    for (uint32_t k = 0; k < kInputChannels; ++k) {
        buffers.inputs[k] = in.data32[k];
        if (buffers.inputs[k] == nullptr) return false;
    }
    for (int32_t k = kInputChannels; k < kEffectChannels; ++k) buffers.inputs[k] = buffers.outputs[k];
    return true;
}

void silenceOutputs(const clap_process_t& process) {
    if (process.audio_outputs == nullptr) return;
    for (uint32_t p = 0; p < process.audio_outputs_count; ++p) {
        const clap_audio_buffer_t& out = process.audio_outputs[p];
        if (out.data32 == nullptr) continue;
        for (uint32_t k = 0; k < out.channel_count; ++k) {
            if (out.data32[k] != nullptr)
                std::fill(out.data32[k], out.data32[k] + process.frames_count, 0.0f);
        }
    }
}

void processSpan(CClapAdapter& adapter, const Buffers& buffers, uint32_t start, uint32_t end) {
    float* inputs[kEffectChannels];
    float* outputs[kEffectChannels];
    for (int32_t k = 0; k < kEffectChannels; ++k) {
        inputs[k] = buffers.inputs[k] + start;
        outputs[k] = buffers.outputs[k] + start;
    }
    if (adapter.bridge.processReplacing != nullptr)
        adapter.bridge.processReplacing(&adapter, inputs, outputs, static_cast<int32_t>(end - start));
    adapter.transport.advance(end - start, adapter.hostSampleRate());
}

// A value in the parameter's own units, set as a VST host's normalised change (snapped, then the
// slider section); the bridge brings it into what the slider can hold.
void applyParameter(CClapAdapter& adapter, const clap_event_param_value_t& event) {
    double minimum = 0, maximum = 0;
    const auto index = static_cast<int32_t>(event.param_id);
    if (event.param_id > INT32_MAX || !parameterRange(*adapter.effect, index, minimum, maximum) ||
        !(maximum > minimum))
        return;
    if (adapter.bridge.setParameter != nullptr)
        adapter.bridge.setParameter(&adapter, index,
                                    static_cast<float>((event.value - minimum) / (maximum - minimum)));
}

// Applies one input event; any other kind or space is skipped.
void applyEvent(CClapAdapter& adapter, const clap_event_header_t* header) {
    if (header == nullptr || header->space_id != CLAP_CORE_EVENT_SPACE_ID) return;
    if (header->type == CLAP_EVENT_PARAM_VALUE && header->size >= sizeof(clap_event_param_value_t)) {
        applyParameter(adapter, *reinterpret_cast<const clap_event_param_value_t*>(header));
    } else if (header->type == CLAP_EVENT_TRANSPORT && header->size >= sizeof(clap_event_transport_t)) {
        adapter.transport.take(reinterpret_cast<const clap_event_transport_t*>(header));
    }
}

uint32_t eventCount(const clap_input_events_t* in) {
    return in != nullptr && in->size != nullptr && in->get != nullptr ? in->size(in) : 0;
}

}  // namespace

clap_process_status processClapBlock(CClapAdapter& adapter, const clap_process_t* process) {
    if (process == nullptr || adapter.effect == nullptr) return CLAP_PROCESS_ERROR;
    DenormalGuard denormals;
    adapter.transport.take(process->transport);
    const uint32_t frames = process->frames_count;
    Buffers buffers;
    const bool audio = buffersOf(*process, buffers);
    if (!audio) silenceOutputs(*process);
    const clap_input_events_t* in = process->in_events;
    const uint32_t events = eventCount(in);
    uint32_t done = 0;
    for (uint32_t e = 0; e < events; ++e) {
        const clap_event_header_t* header = in->get(in, e);
        if (header == nullptr) continue;
        // Events out of order or past the block are taken where the block stands.
        const uint32_t at = std::min(std::max(header->time, done), frames);
        if (audio && at > done) processSpan(adapter, buffers, done, at);
        done = at;
        applyEvent(adapter, header);
    }
    if (audio && done < frames) processSpan(adapter, buffers, done, frames);
    adapter.panelEvents.deliver(process->out_events);
    return CLAP_PROCESS_CONTINUE;
}

void flushClapEvents(CClapAdapter& adapter, const clap_input_events_t* in, const clap_output_events_t* out) {
    if (adapter.effect == nullptr) return;
    const uint32_t events = eventCount(in);
    for (uint32_t e = 0; e < events; ++e) applyEvent(adapter, in->get(in, e));
    adapter.panelEvents.deliver(out);
}
