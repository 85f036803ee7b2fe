// The plug-in's only diagnostic output: one line per problem in a log file, with a short beep.
#pragma once

#include <string>

void LogLine(const std::string& text);
