// The panel on the host's Linux run loop: a timer for the timed refresh, and an event handler for
// the file descriptor of the panel's X connection, so that input is handled as it arrives.
#include "plugin/vst3/Vst3ViewTimer.h"

#include "plugin/vst3/Vst3Face.h"

namespace {

// Faster than the panel's fastest refresh, so that the refresh's own clock decides.
constexpr uint64_t kTimerMilliseconds = 15;

}  // namespace

struct CVst3ViewTimer::Registration {
    Vst3Face<Registration> events;
    Vst3Face<Registration> timer;
    CVst3ViewTimer* owner = nullptr;
    v3_run_loop** loop = nullptr;
};

namespace {

using Registration = CVst3ViewTimer::Registration;

v3_result V3_API queryInterface(void* self, const v3_tuid iid, void** object) {
    Registration* r = ownerOf<Registration>(self);
    if (object == nullptr) return V3_INVALID_ARG;
    *object = nullptr;
    if (r == nullptr || iid == nullptr) return V3_INVALID_ARG;
    if (v3_tuid_match(iid, v3_event_handler_iid))
        *object = &r->events;
    else if (v3_tuid_match(iid, v3_timer_handler_iid))
        *object = &r->timer;
    else if (v3_tuid_match(iid, v3_funknown_iid))
        *object = self;
    return *object != nullptr ? kResultOk : kNoInterface;
}

// The registration lives as long as the view's timer; the host holds no lasting reference to it.
uint32_t V3_API addRef(void*) {
    return 1;
}

uint32_t V3_API release(void*) {
    return 1;
}

void V3_API onTimer(void* self) {
    Registration* r = ownerOf<Registration>(self);
    if (r != nullptr && r->owner->tick != nullptr) r->owner->tick(r->owner->context);
}

void V3_API onEvents(void* self, int) {
    onTimer(self);
}

const v3_event_handler_cpp kEventTable = {{queryInterface, addRef, release}, {onEvents}};
const v3_timer_handler_cpp kTimerTable = {{queryInterface, addRef, release}, {onTimer}};

}  // namespace

bool CVst3ViewTimer::start(v3_plugin_frame** frame, int fd, Tick tickFunction, void* tickContext) {
    stop();
    if (frame == nullptr || *frame == nullptr) return false;
    void* found = nullptr;
    if (unknownOf(frame).query_interface(frame, v3_run_loop_iid, &found) != V3_OK || found == nullptr)
        return false;
    auto* loop = static_cast<v3_run_loop**>(found);
    tick = tickFunction;
    context = tickContext;
    registration_ = new Registration{{&kEventTable, nullptr}, {&kTimerTable, nullptr}, this, loop};
    registration_->events.owner = registration_;
    registration_->timer.owner = registration_;
    if (fd >= 0)
        callsOf(loop).register_event_handler(
            loop, reinterpret_cast<v3_event_handler**>(&registration_->events), fd);
    callsOf(loop).register_timer(loop, reinterpret_cast<v3_timer_handler**>(&registration_->timer),
                                 kTimerMilliseconds);
    return true;
}

void CVst3ViewTimer::stop() {
    if (registration_ == nullptr) return;
    v3_run_loop** loop = registration_->loop;
    callsOf(loop).unregister_timer(loop, reinterpret_cast<v3_timer_handler**>(&registration_->timer));
    callsOf(loop).unregister_event_handler(loop,
                                           reinterpret_cast<v3_event_handler**>(&registration_->events));
    unknownOf(loop).unref(loop);
    delete registration_;
    registration_ = nullptr;
    tick = nullptr;
    context = nullptr;
}
