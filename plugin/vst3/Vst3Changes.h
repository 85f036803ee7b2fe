// The parameter changes of one process call as the kit's timed changes: the points of the host's
// queues in the order of their sample offsets, as normalised values the bridge takes. Points of the
// bypass switch go to the bypass instead (taken where the block starts), and each span moves the
// transport on. A block longer than
// the bypass can keep aside is taken in pieces; each piece answers the points inside it, the last one
// all that are left. Allocates nothing. Audio thread.
#pragma once

#include <travesty/audio_processor.h>

#include "plugin/bridge/BlockSplit.h"

class CVst3Adapter;
class CVst3Bypass;

class CVst3Changes : public ITimedChanges {
  public:
    static constexpr int32_t kMostQueues = 64;

    CVst3Changes(CVst3Adapter& adapter, CVst3Bypass& bypass, const v3_process_data& data);
    // The frames from..to of the block come next; to is the block's end for its last piece.
    void piece(int32_t from, int32_t to, bool last);

    bool next(TimedChange& change) override;
    void transportDue() override {}
    void processed(uint32_t frames) override;

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

    CVst3Adapter& adapter_;
    const v3_process_context* context_;
    Cursor cursors_[kMostQueues];
    int32_t queues_ = 0;
    int32_t from_ = 0;
    int32_t to_ = 0;
    bool last_ = true;
    int32_t done_ = 0;
};
