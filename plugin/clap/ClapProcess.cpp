#include "plugin/clap/ClapProcess.h"

#include <algorithm>

#include "plugin/bridge/BlockSplit.h"
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

// The host's input events as the block's timed changes: parameter values in their own units become
// the normalised changes a VST host would make; events of other kinds or spaces, and values for
// parameters the effect does not have, are skipped.
class CClapEventChanges : public ITimedChanges {
  public:
    CClapEventChanges(CClapAdapter& adapter, const clap_input_events_t* in)
        : adapter_(adapter), in_(in), count_(eventCount(in)) {}

    bool next(TimedChange& change) override {
        while (at_ < count_) {
            const clap_event_header_t* header = in_->get(in_, at_++);
            if (header == nullptr || header->space_id != CLAP_CORE_EVENT_SPACE_ID) continue;
            change.frame = header->time;
            if (header->type == CLAP_EVENT_PARAM_VALUE && header->size >= sizeof(clap_event_param_value_t)) {
                const auto& event = *reinterpret_cast<const clap_event_param_value_t*>(header);
                change.kind = TimedChange::Kind::kParameter;
                change.parameter = static_cast<int32_t>(event.param_id);
                if (event.param_id <= INT32_MAX &&
                    parameterNormalised(*adapter_.effect, change.parameter, event.value, change.value))
                    return true;
            } else if (header->type == CLAP_EVENT_TRANSPORT &&
                       header->size >= sizeof(clap_event_transport_t)) {
                change.kind = TimedChange::Kind::kTransport;
                due_ = reinterpret_cast<const clap_event_transport_t*>(header);
                return true;
            }
        }
        return false;
    }
    void transportDue() override { adapter_.transport.take(due_); }
    void processed(uint32_t frames) override {
        adapter_.transport.advance(frames, adapter_.hostSampleRate());
    }

  private:
    static uint32_t eventCount(const clap_input_events_t* in) {
        return in != nullptr && in->size != nullptr && in->get != nullptr ? in->size(in) : 0;
    }

    CClapAdapter& adapter_;
    const clap_input_events_t* in_;
    const uint32_t count_;
    uint32_t at_ = 0;
    const clap_event_transport_t* due_ = nullptr;
};

}  // namespace

clap_process_status processClapBlock(CClapAdapter& adapter, const clap_process_t* process) {
    if (process == nullptr || adapter.effect == nullptr) return CLAP_PROCESS_ERROR;
    DenormalGuard denormals;
    adapter.transport.take(process->transport);
    Buffers buffers;
    CClapEventChanges changes(adapter, process->in_events);
    if (buffersOf(*process, buffers)) {
        runSplitBlock(adapter, buffers.inputs, buffers.outputs, kEffectChannels, process->frames_count,
                      changes);
    } else {
        silenceOutputs(*process);
        applyTimedChanges(adapter, changes);
    }
    adapter.panelEvents.deliver(process->out_events);
    return CLAP_PROCESS_CONTINUE;
}

void flushClapEvents(CClapAdapter& adapter, const clap_input_events_t* in, const clap_output_events_t* out) {
    if (adapter.effect == nullptr) return;
    CClapEventChanges changes(adapter, in);
    applyTimedChanges(adapter, changes);
    adapter.panelEvents.deliver(out);
}
