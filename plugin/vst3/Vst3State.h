// The component state: the effect's chunk, the same bytes the VST 2.4 edition saves.
#pragma once

#include <travesty/bstream.h>

class CAdapterKit;

// Main thread.
v3_result writeVst3State(CAdapterKit& adapter, v3_bstream** stream);
// Takes a stream only when it holds exactly one chunk of the effect's own kind and size; anything
// else is refused and changes nothing. Main thread.
v3_result readVst3State(CAdapterKit& adapter, v3_bstream** stream);
