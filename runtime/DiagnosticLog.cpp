#include "runtime/DiagnosticLog.h"

#include <cstdio>

#include "runtime/PlatformServices.h"

void LogLine(const std::string& text) {
    FILE* file = std::fopen(platform::logFilePath().c_str(), "a");
    if (file == nullptr) return;
    std::fprintf(file, "%s\n", text.c_str());
    std::fclose(file);
    platform::beep(2000, 200);
}
