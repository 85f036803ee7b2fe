// The pieces every event-based format needs and that the shared adapter kit will provide: one
// instance (effect, bridge table, adapter, opened) and the split of a block at timed parameter
// changes. Kept together here so that they can give way to the kit's as a whole.
#pragma once

#include <cstdint>

#include <travesty/audio_processor.h>

class CVst3Adapter;

// The effect, its bridge table and the adapter around them, opened. Main thread.
CVst3Adapter* assembleVst3Instance();
// Closes and destroys what assembleVst3Instance made; nothing for null. Main thread.
void disassembleVst3Instance(CVst3Adapter* adapter);

// Calls span(start, end) for the runs of frames between the changes and change(id, value) for each
// point of the host's queues, in the order of their sample offsets; points out of the block are
// taken at its nearer end, queues that are null or fail are skipped. Allocates nothing. Audio thread.
class CVst3ChangeSplit {
  public:
    static constexpr int32_t kMostQueues = 64;

    CVst3ChangeSplit(v3_param_changes** changes, int32_t frames);
    // The next step: true with a span (start < end) or a change, false at the block's end.
    struct Step {
        bool isChange = false;
        int32_t start = 0;
        int32_t end = 0;
        v3_param_id id = 0;
        double value = 0;
    };
    bool next(Step& step);

  private:
    struct Cursor {
        v3_param_value_queue** queue = nullptr;
        v3_param_id id = 0;
        int32_t count = 0;
        int32_t index = 0;
        int32_t offset = 0;
        double value = 0;
    };
    bool load(Cursor& cursor);

    Cursor cursors_[kMostQueues];
    int32_t queues_ = 0;
    int32_t frames_ = 0;
    int32_t done_ = 0;
};
