// The panel on Windows: its window handles its own messages; a timer of the GUI thread's message
// loop runs the timed refresh.
#include "plugin/vst3/Vst3ViewTimer.h"

#include <windows.h>

namespace {

constexpr UINT kTimerMilliseconds = 15;

// Thread timers carry only their id, so the running ones are listed with their owners. GUI thread.
constexpr int kMostTimers = 64;
struct Running {
    UINT_PTR id;
    CVst3ViewTimer* owner;
};
Running running[kMostTimers] = {};

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (const Running& r : running) {
        if (r.id == id && r.owner != nullptr && r.owner->tick != nullptr) {
            r.owner->tick(r.owner->context);
            return;
        }
    }
}

}  // namespace

struct CVst3ViewTimer::Registration {
    UINT_PTR id;
};

bool CVst3ViewTimer::start(v3_plugin_frame**, int, Tick tickFunction, void* tickContext) {
    stop();
    for (Running& r : running) {
        if (r.owner != nullptr) continue;
        const UINT_PTR id = SetTimer(nullptr, 0, kTimerMilliseconds, onTimer);
        if (id == 0) return false;
        tick = tickFunction;
        context = tickContext;
        r = Running{id, this};
        registration_ = new Registration{id};
        return true;
    }
    return false;
}

void CVst3ViewTimer::stop() {
    if (registration_ == nullptr) return;
    KillTimer(nullptr, registration_->id);
    for (Running& r : running) {
        if (r.owner == this) r = Running{0, nullptr};
    }
    delete registration_;
    registration_ = nullptr;
    tick = nullptr;
    context = nullptr;
}
