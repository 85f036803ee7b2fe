#include "plugin/lv2/Lv2Run.h"

#include <algorithm>

#include "effect/QuillEffect.h"
#include "plugin/bridge/DenormalGuard.h"
#include "plugin/lv2/Lv2AtomWalk.h"
#include "plugin/lv2/Lv2Instance.h"

namespace {

constexpr int32_t kEffectChannels = 6;

bool audioConnected(const Lv2Instance& instance) {
    if (instance.inputs[0] == nullptr || instance.inputs[1] == nullptr) return false;
    for (float* output : instance.outputs) {
        if (output == nullptr) return false;
    }
    return true;
}

void silenceConnectedOutputs(Lv2Instance& instance, uint32_t frames) {
    for (float* output : instance.outputs) {
        if (output != nullptr) std::fill(output, output + frames, 0.0f);
    }
}

// The effect takes six inputs and uses the first two: the other four read the matching outputs,
// which every frame overwrites only after all its inputs were read.
void processSpan(Lv2Instance& instance, uint32_t start, uint32_t end) {
    CLv2Adapter& adapter = *instance.adapter;
    float* inputs[kEffectChannels];
    float* outputs[kEffectChannels];
    for (int32_t k = 0; k < kEffectChannels; ++k) outputs[k] = instance.outputs[k] + start;
    inputs[0] = const_cast<float*>(instance.inputs[0]) + start;
    inputs[1] = const_cast<float*>(instance.inputs[1]) + start;
    for (int32_t k = 2; k < kEffectChannels; ++k) inputs[k] = outputs[k];
    const uint32_t frames = end - start;
    if (adapter.bridge.processReplacing != nullptr)
        adapter.bridge.processReplacing(&adapter, inputs, outputs, static_cast<int32_t>(frames));
    adapter.transport.advance(frames, adapter.hostSampleRate());
}

}  // namespace

void runLv2Instance(Lv2Instance& instance, uint32_t frames) {
    CLv2Adapter* adapter = instance.adapter;
    if (adapter == nullptr || adapter->effect == nullptr) return;
    DenormalGuard denormals;
    if (instance.controls.apply(*adapter)) instance.firstRun.changed();
    if (!audioConnected(instance)) {
        silenceConnectedOutputs(instance, frames);
        return;
    }
    if (frames > 0 && instance.firstRun.startAfresh() && instance.effect != nullptr)
        instance.effect->StartChannelsAtSliders();
    uint32_t done = 0;
    if (instance.time != nullptr && adapter->transport.canRead()) {
        const LV2_Atom_Sequence& sequence = *instance.time;
        for (const LV2_Atom_Event* event = firstEvent(sequence); event != nullptr;
             event = nextEvent(sequence, *event)) {
            // Events out of order or past the block are taken where the block stands.
            const int64_t at = std::min<int64_t>(std::max<int64_t>(event->time.frames, done), frames);
            if (static_cast<uint32_t>(at) > done) {
                processSpan(instance, done, static_cast<uint32_t>(at));
                done = static_cast<uint32_t>(at);
            }
            adapter->transport.read(&event->body);
        }
    }
    if (done < frames) processSpan(instance, done, frames);
}
