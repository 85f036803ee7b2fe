// The processing loops: block section once per call, sample section once per frame.
#pragma once

#include <cstdint>

class CLumo;

// Audio thread.
void processReplacingEntry(CLumo* adapter, float** inputs, float** outputs, int32_t frames);
// Audio thread.
void processDoubleReplacingEntry(CLumo* adapter, double** inputs, double** outputs, int32_t frames);
