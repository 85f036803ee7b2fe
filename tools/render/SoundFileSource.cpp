#include "tools/render/SoundFileSource.h"

#include <sys/stat.h>

#include "tools/render/RenderError.h"

namespace render {

SoundFileSource::SoundFileSource(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) throw RenderError(ExitCode::input, "input file not found: " + path);
    if (S_ISDIR(status.st_mode)) throw RenderError(ExitCode::input, "input is a folder: " + path);
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (!file_) throw RenderError(ExitCode::input, "cannot read " + path + ": " + sf_strerror(nullptr));
    if (info_.channels < 1 || info_.samplerate < 1) {
        sf_close(file_);
        file_ = nullptr;
        throw RenderError(ExitCode::input, path + " holds no audio");
    }
}

SoundFileSource::~SoundFileSource() {
    if (file_) sf_close(file_);
}

int64_t SoundFileSource::read(float* interleaved, int64_t frames) {
    return sf_readf_float(file_, interleaved, frames);
}

}  // namespace render
