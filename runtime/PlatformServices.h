// The few operating-system services the runtime needs; each platform implements them in its own file.
#pragma once

#include <string>

namespace platform {

// Full file name of the plug-in library this code lives in; empty when unknown.
std::string moduleFileName();

// A short audible signal that something went wrong (may do nothing).
void beep(unsigned frequencyHz, unsigned durationMs);

// Where the diagnostic log is appended.
std::string logFilePath();

}  // namespace platform
