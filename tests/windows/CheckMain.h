// What the Windows test programs' shared main hands their tests.
#pragma once

#include <cstddef>
#include <string>

// The program's index-th argument after GoogleTest took its own, or the fallback.
std::string checkArgument(size_t index, const char* fallback);
