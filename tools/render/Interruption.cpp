#include "tools/render/Interruption.h"

#include <csignal>

namespace render {

namespace {
volatile std::sig_atomic_t requested = 0;
void onSignal(int) {
    requested = 1;
}
}  // namespace

void installInterruptionHandlers() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

bool interruptionRequested() {
    return requested != 0;
}

}  // namespace render
