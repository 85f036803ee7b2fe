#include "plugin/vst3/Vst3Changes.h"

#include <algorithm>
#include <limits>

#include "plugin/vst3/Vst3Adapter.h"
#include "plugin/vst3/Vst3Bypass.h"
#include "plugin/vst3/Vst3Face.h"
#include "plugin/vst3/Vst3Parameters.h"

CVst3Changes::CVst3Changes(CVst3Adapter& adapter, CVst3Bypass& bypass, const v3_process_data& data)
    : adapter_(adapter), context_(data.ctx) {
    v3_param_changes** changes = data.input_params;
    if (changes == nullptr || *changes == nullptr) return;
    const int32_t count = callsOf(changes).get_param_count(changes);
    for (int32_t k = 0; k < count && queues_ < kMostQueues; ++k) {
        Cursor cursor;
        cursor.queue = callsOf(changes).get_param_data(changes, k);
        if (cursor.queue == nullptr || *cursor.queue == nullptr) continue;
        cursor.id = callsOf(cursor.queue).get_param_id(cursor.queue);
        cursor.count = callsOf(cursor.queue).get_point_count(cursor.queue);
        if (static_cast<int32_t>(cursor.id) == vst3BypassId(*adapter.effect)) {
            // The bypass fades over a block after the effect has run it: its last point counts, from
            // the block's start.
            while (load(cursor)) bypass.request(cursor.value >= 0.5);
            continue;
        }
        if (load(cursor)) cursors_[queues_++] = cursor;
    }
}

bool CVst3Changes::load(Cursor& cursor) {
    while (cursor.index < cursor.count) {
        int32_t offset = 0;
        double value = 0;
        const v3_result result = callsOf(cursor.queue).get_point(cursor.queue, cursor.index, &offset, &value);
        ++cursor.index;
        if (result != V3_OK) continue;
        cursor.offset = std::max(offset, 0);
        cursor.value = value;
        return true;
    }
    return false;
}

void CVst3Changes::piece(int32_t from, int32_t to, bool last) {
    from_ = from;
    to_ = to;
    last_ = last;
    done_ = from;
    adapter_.takeTransport(context_, from);
}

bool CVst3Changes::next(TimedChange& change) {
    for (;;) {
        int32_t first = -1;
        for (int32_t k = 0; k < queues_; ++k) {
            if (first < 0 || cursors_[k].offset < cursors_[first].offset) first = k;
        }
        if (first < 0 || (!last_ && cursors_[first].offset >= to_)) return false;
        Cursor& cursor = cursors_[first];
        const v3_param_id id = cursor.id;
        const double value = cursor.value;
        const int32_t frame = cursor.offset - from_;
        if (!load(cursor)) cursors_[first] = cursors_[--queues_];
        const TQuill& effect = *adapter_.effect;
        if (!vst3IsParameter(effect, id)) continue;
        change.kind = TimedChange::Kind::kParameter;
        change.frame = frame;
        change.parameter = static_cast<int32_t>(id);
        change.value = vst3ToBridgeValue(effect, id, value);
        return true;
    }
}

void CVst3Changes::processed(uint32_t frames) {
    done_ += static_cast<int32_t>(std::min<uint32_t>(frames, std::numeric_limits<int32_t>::max()));
    adapter_.takeTransport(context_, done_);
}
