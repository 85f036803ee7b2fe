// What the effect's sections last read from the host. The init section (dispatcher thread) and the
// block section (audio thread) write them; the slider section reads the sample rate on any thread.
#pragma once

#include "runtime/SharedValue.h"

struct HostValues {
    // Until the first init section runs, the values the adapter starts with.
    SharedDouble sampleRate = 44100;
    SharedDouble channels = 6;
    SharedDouble samplesPerBlock = 1024;
    SharedDouble tempo = 0;
    SharedDouble timeSigNumerator = 0;
    SharedDouble timeSigDenominator = 0;
    SharedDouble beatPosition = 0;
};
