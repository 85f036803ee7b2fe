// Bounded copies of texts into host buffers.
#pragma once

#include <cstddef>
#include <string>

// Buffer sizes (terminator included) this plug-in writes at most. They follow the published VST
// limits, except that parameter texts use the extended 32-byte size that hosts allocate, so that a
// name such as "Center/Edge Zone Influence [dB]" (31 characters) reaches the host whole.
constexpr size_t kEffectNameSize = 32;
constexpr size_t kVendorTextSize = 64;
constexpr size_t kProgramNameSize = 24;
constexpr size_t kParameterTextSize = 32;

// Copies at most capacity - 1 characters and always terminates. Does nothing for a null buffer.
void copyText(char* destination, const std::string& text, size_t capacity);
