// The plug-in's one monotonic clock, for every timer of the runtime, the effect and the editor: the
// timed refresh, the display-refresh throttle and the editor's tick count all read it.
#pragma once

namespace platform {

// Milliseconds since an arbitrary start; never goes back, keeps running while the host sits idle.
// Any thread; no allocation, no lock.
long long monotonicMilliseconds();

// Puts another source of milliseconds behind every reading above, or the system's back with null:
// tests drive the timers through a clock of their own. Any thread; the next reading sees it.
using MillisecondSource = long long (*)();
void replaceMonotonicClock(MillisecondSource source);

}  // namespace platform
