// What the effect's sections last read from the host.
#pragma once

struct HostValues {
    // Until the first init section runs, the values the adapter starts with.
    double sampleRate = 44100;
    double channels = 6;
    double samplesPerBlock = 1024;
    double tempo = 0;
    double timeSigNumerator = 0;
    double timeSigDenominator = 0;
    double beatPosition = 0;
};
