#include "tools/settings/TextUtil.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace settings {

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool parseNumber(const std::string& text, double& out) {
    const std::string t = trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(t.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(value)) return false;
    out = value;
    return true;
}

bool parseInteger(const std::string& text, long& out) {
    const std::string t = trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(t.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE) return false;
    out = value;
    return true;
}

}  // namespace settings
