#include "tools/render/InstallLayout.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace render {

namespace {

const char* const kModuleName = "Orbitone.so";
// Relative to the programs' folder in an installed prefix (PREFIX/bin beside PREFIX/lib/vst).
const char* const kInstalledModuleFolder = "../lib/vst/";

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The path without "bin/.." in it, which is what the program reports as the module it loaded.
std::string tidy(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

std::string programFolder() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (length <= 0) return "";
    std::string folder(self, static_cast<size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder;
}

std::string besideProgram(const std::string& name) {
    return programFolder() + name;
}

std::string moduleFor(const std::string& folder) {
    const std::string beside = folder + kModuleName;
    if (isFile(beside)) return beside;
    const std::string installed = folder + kInstalledModuleFolder + kModuleName;
    if (isFile(installed)) return tidy(installed);
    return beside;
}

std::string defaultModulePath() {
    return moduleFor(programFolder());
}

}  // namespace render
