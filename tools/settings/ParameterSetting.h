// The tools' one grammar for a parameter setting, "NAME=VALUE", and the one rule that finds the
// parameter a NAME means. orbitone-render and orbitone-snapshot both read settings through it.
#pragma once

#include <string>
#include <vector>

namespace settings {

struct ParameterSetting {
    std::string parameter;    // a name, "name#2" for the second of a repeated name, or an index
    std::string value;        // the text after '=', without a "norm:" prefix
    bool normalised = false;  // the value was written "norm:X", a number from 0 to 1

    // "NAME=VALUE" or "NAME=norm:X": the last '=' separates (names may contain '='), both sides are
    // trimmed. False with a message on a malformed text.
    static bool parse(const std::string& text, ParameterSetting& setting, std::string& error);
};

// The index a parameter text means among the parameters' names:
// 1. a name, exactly as written, else in any case (of a repeated name, the first);
// 2. "name#k": the k-th (from 1) of the parameters that name matches by rule 1;
// 3. an integer: the index itself.
// -1 with a message when it means none.
int findParameter(const std::vector<std::string>& names, const std::string& parameter, std::string& error);

}  // namespace settings
