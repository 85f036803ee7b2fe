#include "plugin/bridge/TextCopy.h"

#include <cstring>

void copyText(char* destination, const std::string& text, size_t capacity) {
    if (destination == nullptr || capacity == 0) return;
    const size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(destination, text.data(), length);
    destination[length] = 0;
}
