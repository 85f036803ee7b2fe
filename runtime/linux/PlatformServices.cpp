// Linux implementations of the runtime's operating-system services.
#include "runtime/PlatformServices.h"

#include <dlfcn.h>

namespace platform {

std::string moduleFileName() {
    Dl_info info{};
    // Any symbol of this library identifies it; dladdr names the file it was loaded from.
    if (dladdr(reinterpret_cast<void*>(&moduleFileName), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

void beep(unsigned, unsigned) {
    // A plug-in has no business writing to the host's terminal; Linux has no system beep to call.
}

std::string logFilePath() {
    // The root of the drive is not writable for users on Linux; the temporary folder is.
    return "/tmp/wisp.log.txt";
}

}  // namespace platform
