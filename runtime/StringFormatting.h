// printf-style formatting of script strings, where every argument is a double.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quill {

// Output beyond this many bytes (terminator included) is cut.
constexpr size_t kFormatBufferSize = 512;

// Formats with the values in order: e f g E G take a double; d i o u x X c the value as an integer
// (toIndex); s the text that stringOf gives for toIndex(value). Any other letter ends a specification
// that produces nothing and takes no value; a format ending inside a specification drops it. Missing
// values count as 0.
std::string formatValues(const std::string& format, const double* values, size_t count,
                         const std::function<std::string(double)>& stringOf);

}  // namespace quill
