// One process call: the parameter changes applied at their sample offsets, the transport of each
// span, the stereo input and the 5.1 output bus through the effect in either precision, then the
// bypass fade. Allocates nothing, takes no lock, makes no system call.
#pragma once

#include <travesty/audio_processor.h>

class CVst3Adapter;
class CVst3Bypass;

// Audio thread.
v3_result processVst3Block(CVst3Adapter& adapter, CVst3Bypass& bypass, v3_process_data& data);
