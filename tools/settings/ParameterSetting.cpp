#include "tools/settings/ParameterSetting.h"

#include "tools/settings/TextUtil.h"

namespace settings {

namespace {

constexpr const char* kNormalisedPrefix = "norm:";

// Rule 1: the exact matches, or when there are none the matches in any case.
std::vector<int> matchingNames(const std::vector<std::string>& names, const std::string& name) {
    std::vector<int> exact, anyCase;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        if (names[static_cast<size_t>(i)] == name)
            exact.push_back(i);
        else if (equalsIgnoringCase(names[static_cast<size_t>(i)], name))
            anyCase.push_back(i);
    }
    return exact.empty() ? anyCase : exact;
}

}  // namespace

bool ParameterSetting::parse(const std::string& text, ParameterSetting& setting, std::string& error) {
    const auto equals = text.rfind('=');
    if (equals == std::string::npos) {
        error = "expected NAME=VALUE, got '" + text + "'";
        return false;
    }
    setting = ParameterSetting{};
    setting.parameter = trim(text.substr(0, equals));
    setting.value = trim(text.substr(equals + 1));
    if (setting.parameter.empty()) {
        error = "missing parameter name in '" + text + "'";
        return false;
    }
    if (startsWith(setting.value, kNormalisedPrefix)) {
        setting.normalised = true;
        setting.value = trim(setting.value.substr(std::char_traits<char>::length(kNormalisedPrefix)));
        double x = 0;
        if (!parseNumber(setting.value, x) || x < 0.0 || x > 1.0) {
            error = "normalised value must be a number from 0 to 1 in '" + text + "'";
            return false;
        }
    }
    if (setting.value.empty()) {
        error = "missing value in '" + text + "'";
        return false;
    }
    return true;
}

int findParameter(const std::vector<std::string>& names, const std::string& parameter, std::string& error) {
    const std::vector<int> byName = matchingNames(names, parameter);
    if (!byName.empty()) return byName.front();

    const auto hash = parameter.rfind('#');
    long occurrence = 0;
    if (hash != std::string::npos && parseInteger(parameter.substr(hash + 1), occurrence)) {
        const std::vector<int> repeated = matchingNames(names, trim(parameter.substr(0, hash)));
        if (!repeated.empty()) {
            if (occurrence >= 1 && occurrence <= static_cast<long>(repeated.size()))
                return repeated[static_cast<size_t>(occurrence - 1)];
            error = "'" + parameter + "': there are " + std::to_string(repeated.size()) +
                    " parameters of that name";
            return -1;
        }
    }
    long index = -1;
    if (parseInteger(parameter, index) && index >= 0 && index < static_cast<long>(names.size()))
        return static_cast<int>(index);
    error = "unknown parameter '" + parameter + "'";
    return -1;
}

}  // namespace settings
