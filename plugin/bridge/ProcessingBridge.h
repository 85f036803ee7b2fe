// The processing loops: block section once per call, sample section once per frame.
#pragma once

#include <cstdint>

class CHostAdapter;

// Audio thread.
void processReplacingEntry(CHostAdapter* adapter, float** inputs, float** outputs, int32_t frames);
// Audio thread.
void processDoubleReplacingEntry(CHostAdapter* adapter, double** inputs, double** outputs, int32_t frames);
