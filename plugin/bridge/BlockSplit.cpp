#include "plugin/bridge/BlockSplit.h"

#include <algorithm>

#include "plugin/bridge/BridgeCalls.h"

namespace {

// As many as the effect's channel variables hold.
constexpr int32_t kMostChannels = 64;

template <typename Sample>
void processSpan(const BridgeCalls& calls, Sample* const* inputs, Sample* const* outputs, int32_t channels,
                 uint32_t start, uint32_t end, ITimedChanges& changes) {
    // Channels past the given ones stay null, so that the processing entry refuses them instead of
    // reading beyond the arrays.
    Sample* in[kMostChannels] = {};
    Sample* out[kMostChannels] = {};
    for (int32_t k = 0; k < channels; ++k) {
        if (inputs[k] != nullptr) in[k] = inputs[k] + start;
        if (outputs[k] != nullptr) out[k] = outputs[k] + start;
    }
    calls.process(in, out, static_cast<int32_t>(end - start));
    changes.processed(end - start);
}

void apply(const BridgeCalls& calls, const TimedChange& change, ITimedChanges& changes) {
    if (change.kind == TimedChange::Kind::kParameter)
        calls.setParameter(change.parameter, change.value);
    else
        changes.transportDue();
}

template <typename Sample>
void runSplit(CHostAdapter& adapter, Sample* const* inputs, Sample* const* outputs, int32_t channels,
              uint32_t frames, ITimedChanges& changes) {
    if (inputs == nullptr || outputs == nullptr) channels = 0;
    channels = std::min(std::max(channels, 0), kMostChannels);
    const BridgeCalls calls(adapter);
    uint32_t done = 0;
    TimedChange change;
    while (changes.next(change)) {
        const auto at =
            static_cast<uint32_t>(std::min<int64_t>(std::max<int64_t>(change.frame, done), frames));
        if (at > done) {
            processSpan(calls, inputs, outputs, channels, done, at, changes);
            done = at;
        }
        apply(calls, change, changes);
    }
    if (done < frames) processSpan(calls, inputs, outputs, channels, done, frames, changes);
}

}  // namespace

void runSplitBlock(CHostAdapter& adapter, float* const* inputs, float* const* outputs, int32_t channels,
                   uint32_t frames, ITimedChanges& changes) {
    runSplit(adapter, inputs, outputs, channels, frames, changes);
}

void runSplitBlock(CHostAdapter& adapter, double* const* inputs, double* const* outputs, int32_t channels,
                   uint32_t frames, ITimedChanges& changes) {
    runSplit(adapter, inputs, outputs, channels, frames, changes);
}

void applyTimedChanges(CHostAdapter& adapter, ITimedChanges& changes) {
    const BridgeCalls calls(adapter);
    TimedChange change;
    while (changes.next(change)) apply(calls, change, changes);
}
