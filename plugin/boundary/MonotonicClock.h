// The plug-in's one monotonic clock, for every timer of the runtime, the effect and the editor: the
// timed refresh, the display-refresh throttle and the editor's tick count all read it.
#pragma once

namespace platform {

// Milliseconds since an arbitrary start; never goes back, keeps running while the host sits idle.
// Any thread; no allocation, no lock.
long long monotonicMilliseconds();

}  // namespace platform
