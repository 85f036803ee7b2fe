#include "runtime/StringFormatting.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "runtime/ScriptNumbers.h"

namespace quill {

namespace {

enum class Conversion { kDouble, kSigned, kUnsigned, kCharacter, kString, kNone };

Conversion conversionOf(char letter) {
    switch (letter) {
        case 'e':
        case 'f':
        case 'g':
        case 'E':
        case 'G':
            return Conversion::kDouble;
        case 'd':
        case 'i':
            return Conversion::kSigned;
        case 'o':
        case 'u':
        case 'x':
        case 'X':
            return Conversion::kUnsigned;
        case 'c':
            return Conversion::kCharacter;
        case 's':
            return Conversion::kString;
        default:
            return Conversion::kNone;
    }
}

// Only flags, width and precision reach snprintf: a '*', '$' or second '%' would make it read
// arguments that were never passed.
std::string safeSpecification(const std::string& collected) {
    std::string spec = "%";
    for (size_t i = 1; i + 1 < collected.size(); ++i) {
        const char c = collected[i];
        if (std::isdigit(static_cast<unsigned char>(c)) || std::strchr("-+ #.", c) != nullptr) spec += c;
    }
    spec += collected.back();
    return spec;
}

// Appends what snprintf produced, keeping the whole output within the buffer bound.
void appendBounded(std::string& out, const char* text, int produced) {
    if (produced <= 0) return;
    const size_t room = kFormatBufferSize - 1 - out.size();
    out.append(text, std::min(static_cast<size_t>(produced), room));
}

}  // namespace

std::string formatValues(const std::string& format, const double* values, size_t count,
                         const std::function<std::string(double)>& stringOf) {
    std::string out;
    size_t next = 0;
    auto takeValue = [&]() { return values != nullptr && next < count ? values[next++] : (next++, 0.0); };
    char piece[kFormatBufferSize];

    for (size_t i = 0; i < format.size() && out.size() < kFormatBufferSize - 1; ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        size_t end = i + 1;
        while (end < format.size() && !std::isalpha(static_cast<unsigned char>(format[end]))) ++end;
        if (end >= format.size()) break;
        const std::string spec = safeSpecification(format.substr(i, end - i + 1));
        i = end;
        int produced = 0;
        switch (conversionOf(format[end])) {
            case Conversion::kDouble:
                produced = std::snprintf(piece, sizeof piece, spec.c_str(), takeValue());
                break;
            case Conversion::kSigned:
            case Conversion::kCharacter:
                produced =
                    std::snprintf(piece, sizeof piece, spec.c_str(), static_cast<int>(toIndex(takeValue())));
                break;
            case Conversion::kUnsigned:
                produced = std::snprintf(piece, sizeof piece, spec.c_str(),
                                         static_cast<unsigned>(toIndex(takeValue())));
                break;
            case Conversion::kString: {
                const std::string text = stringOf ? stringOf(takeValue()) : std::string();
                produced = std::snprintf(piece, sizeof piece, spec.c_str(), text.c_str());
                break;
            }
            case Conversion::kNone:
                break;
        }
        appendBounded(out, piece, std::min(produced, static_cast<int>(sizeof piece) - 1));
    }
    if (out.size() > kFormatBufferSize - 1) out.resize(kFormatBufferSize - 1);
    return out;
}

}  // namespace quill
