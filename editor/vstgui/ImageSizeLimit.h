// The largest image the toolkit decodes. An image file beside the module is the user's to replace,
// and a PNG header of a few bytes can declare gigabytes of pixels, or a small file can hold an image
// that takes seconds to decode on the GUI thread; the panel needs nothing near either.
#pragma once

#include <cstddef>

namespace VSTGUI {

// True when the bytes start a PNG whose declared size exceeds the limit. Anything else, including
// other formats, is left for the decoder to judge.
bool pngExceedsSizeLimit(const unsigned char* bytes, size_t size);
// The same for the start of a file; false when it cannot be read.
bool pngFileExceedsSizeLimit(const char* path);

}  // namespace VSTGUI
