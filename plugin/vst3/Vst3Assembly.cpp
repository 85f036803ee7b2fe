#include "plugin/vst3/Vst3Assembly.h"

#include <algorithm>

#include "effect/QuillEffect.h"
#include "plugin/bridge/EffectBridge.h"
#include "plugin/vst3/Vst3Adapter.h"
#include "plugin/vst3/Vst3Face.h"

CVst3Adapter* assembleVst3Instance() {
    auto* effect = new TQuillEffect();
    auto* adapter = new CVst3Adapter(effect, makeEffectBridge());
    effect->adapter = adapter;
    if (adapter->bridge.open != nullptr) adapter->bridge.open(adapter);
    return adapter;
}

void disassembleVst3Instance(CVst3Adapter* adapter) {
    if (adapter == nullptr) return;
    if (adapter->bridge.close != nullptr) adapter->bridge.close(adapter);
    delete adapter;
}

CVst3ChangeSplit::CVst3ChangeSplit(v3_param_changes** changes, int32_t frames)
    : frames_(std::max(frames, 0)) {
    if (changes == nullptr || *changes == nullptr) return;
    const int32_t count = callsOf(changes).get_param_count(changes);
    for (int32_t k = 0; k < count && queues_ < kMostQueues; ++k) {
        Cursor cursor;
        cursor.queue = callsOf(changes).get_param_data(changes, k);
        if (cursor.queue == nullptr || *cursor.queue == nullptr) continue;
        cursor.id = callsOf(cursor.queue).get_param_id(cursor.queue);
        cursor.count = callsOf(cursor.queue).get_point_count(cursor.queue);
        if (load(cursor)) cursors_[queues_++] = cursor;
    }
}

bool CVst3ChangeSplit::load(Cursor& cursor) {
    while (cursor.index < cursor.count) {
        int32_t offset = 0;
        double value = 0;
        const v3_result result = callsOf(cursor.queue).get_point(cursor.queue, cursor.index, &offset, &value);
        ++cursor.index;
        if (result != V3_OK) continue;
        cursor.offset = std::min(std::max(offset, 0), frames_);
        cursor.value = value;
        return true;
    }
    return false;
}

bool CVst3ChangeSplit::next(Step& step) {
    int32_t first = -1;
    for (int32_t k = 0; k < queues_; ++k) {
        if (first < 0 || cursors_[k].offset < cursors_[first].offset) first = k;
    }
    const int32_t at = first < 0 ? frames_ : std::max(cursors_[first].offset, done_);
    if (at > done_) {
        step.isChange = false;
        step.start = done_;
        step.end = at;
        done_ = at;
        return true;
    }
    if (first < 0) return false;
    Cursor& cursor = cursors_[first];
    step.isChange = true;
    step.id = cursor.id;
    step.value = cursor.value;
    if (!load(cursor)) cursors_[first] = cursors_[--queues_];
    return true;
}
