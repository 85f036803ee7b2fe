// Lookup of the module's embedded "DATA" resources by numeric id: 0 radar.png, 1 bg.png,
// 2 sliderknob.png. Each platform build supplies its own implementation.
#pragma once

#include <cstddef>

// True with the resource's bytes (owned by the module, never freed) when the id exists.
bool findDataResource(int id, const unsigned char** bytes, size_t* size);
