#include "plugin/vst3/Vst3Text.h"

void copyToUtf16(int16_t* target, size_t size, const std::string& text) {
    if (target == nullptr || size == 0) return;
    size_t n = 0;
    for (; n + 1 < size && n < text.size(); ++n)
        target[n] = static_cast<int16_t>(static_cast<uint8_t>(text[n]));
    target[n] = 0;
}

void copyToChars(char* target, size_t size, const std::string& text) {
    if (target == nullptr || size == 0) return;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(target, n);
    target[n] = 0;
}

std::string fromUtf16(const int16_t* text, size_t size) {
    std::string result;
    if (text == nullptr) return result;
    for (size_t n = 0; n < size && text[n] != 0; ++n) {
        const auto unit = static_cast<uint16_t>(text[n]);
        result.push_back(unit < 128 ? static_cast<char>(unit) : '?');
    }
    return result;
}
