// How the effect side reaches the host: plain functions on the adapter handle, whatever plug-in
// format the adapter speaks. Each answers 0 (or false) and does nothing for a null handle.
#pragma once

#include <cstdint>

class CHostAdapter;

int32_t adapterGetNumInputs(CHostAdapter* adapter);
int32_t adapterGetNumOutputs(CHostAdapter* adapter);
int32_t adapterSetNumInputs(CHostAdapter* adapter, int32_t count);
int32_t adapterSetNumOutputs(CHostAdapter* adapter, int32_t count);
int32_t adapterSetUniqueId(CHostAdapter* adapter, int32_t id);
int32_t adapterProgramsAreChunks(CHostAdapter* adapter, bool state);
float adapterGetSampleRate(CHostAdapter* adapter);
int32_t adapterGetBlockSize(CHostAdapter* adapter);
double adapterGetTempo(CHostAdapter* adapter);
int32_t adapterIsPlaying(CHostAdapter* adapter);
int32_t adapterIsRecording(CHostAdapter* adapter);
double adapterGetPpqPos(CHostAdapter* adapter);
double adapterGetBarStartPos(CHostAdapter* adapter);
// Any of the out pointers may be null; answers 1 when the host gave time information.
int32_t adapterGetTempoAndSignature(CHostAdapter* adapter, double* tempo, double* numerator,
                                    double* denominator);
bool adapterUpdateDisplay(CHostAdapter* adapter);
int32_t adapterSetInitialDelay(CHostAdapter* adapter, int32_t samples);
int32_t adapterAutomate(CHostAdapter* adapter, int32_t index, double value);
// Takes the oldest MIDI event: delta frames and its first three bytes, sign-extended. 1 when taken.
int32_t adapterMidiReceive(CHostAdapter* adapter, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                           int32_t* data2);
