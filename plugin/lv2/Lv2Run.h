// One run() of an instance: the changed controls, the channels' start at the first run after an
// activation, then the audio in spans cut at the time port's position events. Allocates nothing,
// takes no lock, makes no system call.
#pragma once

#include <cstdint>

struct Lv2Instance;

// Audio thread.
void runLv2Instance(Lv2Instance& instance, uint32_t frames);
