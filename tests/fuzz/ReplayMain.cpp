// Replays saved fuzzer inputs through a target built with the normal compiler: every file named on
// the command line, or found directly inside a folder named there, is fed to the target once.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

std::vector<std::string> filesIn(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    if (!S_ISDIR(info.st_mode)) return {path};
    std::vector<std::string> files;
    if (DIR* folder = opendir(path.c_str())) {
        while (dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            struct stat child {};
            const std::string full = path + "/" + name;
            if (stat(full.c_str(), &child) == 0 && S_ISREG(child.st_mode)) files.push_back(full);
        }
        closedir(folder);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::string> files = filesIn(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
            // An empty vector's data() may be null; the fuzzer never passes null.
            static const uint8_t kNothing = 0;
            LLVMFuzzerTestOneInput(bytes.empty() ? &kNothing : bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
