// How the effect side reaches the host: plain functions on the adapter handle. Each answers 0 (or
// false) and does nothing for a null handle.
#pragma once

#include <cstdint>

struct AEffect;
class CLumo;

AEffect* adapterGetAEffect(CLumo* adapter);
int32_t adapterGetNumInputs(CLumo* adapter);
int32_t adapterGetNumOutputs(CLumo* adapter);
int32_t adapterSetNumInputs(CLumo* adapter, int32_t count);
int32_t adapterSetNumOutputs(CLumo* adapter, int32_t count);
int32_t adapterSetUniqueId(CLumo* adapter, int32_t id);
int32_t adapterProgramsAreChunks(CLumo* adapter, bool state);
float adapterGetSampleRate(CLumo* adapter);
int32_t adapterGetBlockSize(CLumo* adapter);
double adapterGetTempo(CLumo* adapter);
int32_t adapterIsPlaying(CLumo* adapter);
int32_t adapterIsRecording(CLumo* adapter);
double adapterGetPpqPos(CLumo* adapter);
double adapterGetBarStartPos(CLumo* adapter);
// Any of the out pointers may be null; answers 1 when the host gave time information.
int32_t adapterGetTempoAndSignature(CLumo* adapter, double* tempo, double* numerator, double* denominator);
bool adapterUpdateDisplay(CLumo* adapter);
int32_t adapterSetInitialDelay(CLumo* adapter, int32_t samples);
int32_t adapterAutomate(CLumo* adapter, int32_t index, double value);
// Takes the oldest MIDI event: delta frames and its first three bytes, sign-extended. 1 when taken.
int32_t adapterMidiReceive(CLumo* adapter, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                           int32_t* data2);
