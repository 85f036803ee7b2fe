// The host side of the snapshot tool: a VST 2.4 host callback with a running transport.
#pragma once

#include <cstdint>

#include "plugin/sdk/aeffect.h"

namespace snapshot {

constexpr double kSampleRate = 44100;
constexpr int32_t kBlockSize = 1470;  // one frame of audio at 30 frames per second

// Answers version 2400, the time information of a playing transport at 120 BPM (advanced by
// advanceTransport) and 0 to anything else.
intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
void advanceTransport(int32_t frames);

}  // namespace snapshot
