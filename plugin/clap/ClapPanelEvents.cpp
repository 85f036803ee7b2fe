#include "plugin/clap/ClapPanelEvents.h"

bool CClapPanelEvents::push(Kind kind, uint32_t parameter, double value) {
    const uint32_t written = written_.load(std::memory_order_relaxed);
    if (written - read_.load(std::memory_order_acquire) >= kCapacity) return false;
    ring_[written % kCapacity] = Record{kind, parameter, value};
    written_.store(written + 1, std::memory_order_release);
    return true;
}

bool CClapPanelEvents::change(uint32_t parameter, double value) {
    if (parameter >= kParameters) return false;
    if (!open_[parameter]) {
        // A value without its begin would leave the host's gesture open at the end; both or neither.
        if (kCapacity - (written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire)) <
            2)
            return false;
        push(Kind::kBegin, parameter, 0);
        open_[parameter] = true;
    }
    return push(Kind::kValue, parameter, value);
}

bool CClapPanelEvents::closeGestures() {
    bool closed = false;
    for (uint32_t p = 0; p < kParameters; ++p) {
        if (!open_[p]) continue;
        // A full ring keeps the gesture open until the host has taken room out of it.
        if (!push(Kind::kEnd, p, 0)) break;
        open_[p] = false;
        closed = true;
    }
    return closed;
}

bool CClapPanelEvents::pending() const {
    return written_.load(std::memory_order_acquire) != read_.load(std::memory_order_relaxed);
}

void CClapPanelEvents::deliver(const clap_output_events_t* out) {
    if (out == nullptr || out->try_push == nullptr) return;
    uint32_t read = read_.load(std::memory_order_relaxed);
    const uint32_t written = written_.load(std::memory_order_acquire);
    for (; read != written; ++read) {
        const Record& record = ring_[read % kCapacity];
        bool pushed = false;
        if (record.kind == Kind::kValue) {
            clap_event_param_value_t event{};
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
            event.param_id = record.parameter;
            event.note_id = -1;
            event.port_index = event.channel = event.key = -1;
            event.value = record.value;
            pushed = out->try_push(out, &event.header);
        } else {
            clap_event_param_gesture_t event{};
            const uint16_t type =
                record.kind == Kind::kBegin ? CLAP_EVENT_PARAM_GESTURE_BEGIN : CLAP_EVENT_PARAM_GESTURE_END;
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, type, 0};
            event.param_id = record.parameter;
            pushed = out->try_push(out, &event.header);
        }
        if (!pushed) break;
    }
    read_.store(read, std::memory_order_release);
}
