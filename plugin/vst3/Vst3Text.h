// The VST 3 text forms: 16-bit strings of 128 units for names and values, and fixed 8-bit fields
// in the factory's class records. The effect's texts are ASCII, so widening is unit by unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Copies at most size - 1 units and terminates; nothing for a null target.
void copyToUtf16(int16_t* target, size_t size, const std::string& text);
// Copies at most size - 1 bytes and terminates.
void copyToChars(char* target, size_t size, const std::string& text);
// Reads up to size units or the first 0; units beyond ASCII become '?'.
std::string fromUtf16(const int16_t* text, size_t size);
