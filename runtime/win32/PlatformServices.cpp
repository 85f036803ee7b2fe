// Windows implementations of the runtime's operating-system services.
#include "runtime/PlatformServices.h"

#include "plugin/boundary/win32/ModuleHandle.h"

namespace platform {

std::string moduleFileName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(moduleHandle(), path, MAX_PATH);
    // A truncated name (length == MAX_PATH) would point at the wrong folder: better none.
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
}

void beep(unsigned frequencyHz, unsigned durationMs) {
    Beep(frequencyHz, durationMs);
}

// The root of the current drive.
std::string logFilePath() {
    return "\\wisp.log.txt";
}

}  // namespace platform
