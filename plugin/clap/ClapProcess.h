// The CLAP process and flush calls: the host's timed events (parameter values, transport) handed to
// the kit's block split, each span processed through the bridge as one VST processing call, and the
// panel's changes handed to the host.
#pragma once

#include <clap/process.h>

class CClapAdapter;

// Audio thread.
clap_process_status processClapBlock(CClapAdapter& adapter, const clap_process_t* process);
// Applies the events and hands on the panel's changes without audio. Audio thread while active,
// else main thread.
void flushClapEvents(CClapAdapter& adapter, const clap_input_events_t* in, const clap_output_events_t* out);
