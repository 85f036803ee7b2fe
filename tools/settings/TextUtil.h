// Small text helpers shared by the tools' command lines, automation files and settings.
#pragma once

#include <string>

namespace settings {

std::string trim(const std::string& text);
bool startsWith(const std::string& text, const std::string& prefix);
bool equalsIgnoringCase(const std::string& a, const std::string& b);
// Whole-text number parsing: trailing characters make it fail.
bool parseNumber(const std::string& text, double& out);
bool parseInteger(const std::string& text, long& out);

}  // namespace settings
