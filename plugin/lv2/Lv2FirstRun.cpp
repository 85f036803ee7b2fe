#include "plugin/lv2/Lv2FirstRun.h"

void CLv2FirstRun::activated() {
    changed_.store(false, std::memory_order_relaxed);
    waiting_.store(true, std::memory_order_release);
}

void CLv2FirstRun::changed() {
    if (waiting_.load(std::memory_order_acquire)) changed_.store(true, std::memory_order_relaxed);
}

bool CLv2FirstRun::startAfresh() {
    if (!waiting_.exchange(false, std::memory_order_acq_rel)) return false;
    return changed_.exchange(false, std::memory_order_relaxed);
}
