#include "plugin/lv2/Lv2Run.h"

#include <algorithm>

#include "effect/QuillEffect.h"
#include "plugin/bridge/BlockSplit.h"
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

// The time port's events as the block's transport changes; nothing when the port is not connected
// or its objects cannot be read. The position runs on over the spans between them.
class CTimePortChanges : public ITimedChanges {
  public:
    explicit CTimePortChanges(Lv2Instance& instance) : adapter_(*instance.adapter) {
        if (instance.time == nullptr || !adapter_.transport.canRead()) return;
        sequence_ = instance.time;
        event_ = firstEvent(*sequence_);
    }

    bool next(TimedChange& change) override {
        if (event_ == nullptr) return false;
        due_ = event_;
        event_ = nextEvent(*sequence_, *event_);
        change.kind = TimedChange::Kind::kTransport;
        change.frame = due_->time.frames;
        return true;
    }
    void transportDue() override { adapter_.transport.read(&due_->body); }
    void processed(uint32_t frames) override {
        adapter_.transport.advance(frames, adapter_.hostSampleRate());
    }

  private:
    CLv2Adapter& adapter_;
    const LV2_Atom_Sequence* sequence_ = nullptr;
    const LV2_Atom_Event* event_ = nullptr;
    const LV2_Atom_Event* due_ = nullptr;
};

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
    // The effect takes six inputs and uses the first two: the other four read the matching outputs,
    // which every frame overwrites only after all its inputs were read.
    float* inputs[kEffectChannels];
    float* outputs[kEffectChannels];
    for (int32_t k = 0; k < kEffectChannels; ++k) outputs[k] = instance.outputs[k];
    inputs[0] = const_cast<float*>(instance.inputs[0]);
    inputs[1] = const_cast<float*>(instance.inputs[1]);
    for (int32_t k = 2; k < kEffectChannels; ++k) inputs[k] = outputs[k];
    CTimePortChanges changes(instance);
    runSplitBlock(*adapter, inputs, outputs, kEffectChannels, frames, changes);
}
