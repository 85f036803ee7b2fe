// A host block cut at its timed changes: the processing entries run over the spans between them, and
// each change takes effect at its frame. Formats that send parameter and transport changes inside the
// block (LV2's time port, VST 3's parameter queues, CLAP's event list) hand them over in order; the
// effect still sees plain blocks, each opening with its block section.
#pragma once

#include <cstdint>

class CHostAdapter;

struct TimedChange {
    enum class Kind : uint8_t { kParameter, kTransport };
    Kind kind = Kind::kParameter;
    // From the block's start; a frame before the previous change or past the block's end is taken
    // where the block stands.
    int64_t frame = 0;
    // A parameter change: host parameter index and normalised value.
    int32_t parameter = 0;
    float value = 0.0f;
};

// The format's side of the split. Audio thread: nothing here may allocate, lock or wait.
class ITimedChanges {
  public:
    virtual ~ITimedChanges() = default;
    // The block's next change in the host's order; false when none is left.
    virtual bool next(TimedChange& change) = 0;
    // The transport change next() answered last is due: the adapter's time answers take it on.
    virtual void transportDue() = 0;
    // The effect processed this many more frames (a transport runs on by them).
    virtual void processed(uint32_t frames) = 0;
};

// Runs frames of the channel buffers through the processing entry in spans cut at the changes;
// parameter changes go through the bridge's parameter setter, as a host's would. Audio thread.
void runSplitBlock(CHostAdapter& adapter, float* const* inputs, float* const* outputs, int32_t channels,
                   uint32_t frames, ITimedChanges& changes);
void runSplitBlock(CHostAdapter& adapter, double* const* inputs, double* const* outputs, int32_t channels,
                   uint32_t frames, ITimedChanges& changes);
// Takes every change at once, without audio: a host's flush, or a block the adapter cannot process.
// Audio thread, or the thread the host flushes on.
void applyTimedChanges(CHostAdapter& adapter, ITimedChanges& changes);
