// The four ways a channel moves by itself while the transport runs.
#pragma once

#include "effect/PanChannel.h"
#include "runtime/RandomSource.h"

enum MotionMode { kManual = 0, kRotate = 1, kCruise = 2, kRandomize = 3, kFishBowl = 4 };

// One sample's motion: moves the channel's target position when its mode runs and the transport plays,
// and notes the mode that moved (Manual included) so that a switch of mode can be told. Audio thread.
void motionStep(double playState, double sampleRate, PanChannel& ch, RandomSource& random);
