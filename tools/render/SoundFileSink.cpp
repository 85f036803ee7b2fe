#include "tools/render/SoundFileSink.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <cctype>
#include "tools/render/RenderError.h"

namespace render {

namespace {

int subtypeOf(SampleFormat format) {
    switch (format) {
        case SampleFormat::pcm16:
            return SF_FORMAT_PCM_16;
        case SampleFormat::pcm24:
            return SF_FORMAT_PCM_24;
        default:
            return SF_FORMAT_FLOAT;
    }
}

std::string lowerExtension(const std::string& path) {
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// mkstemp creates files readable by the owner only; the output should get the usual mode.
void giveUsualPermissions(int fd) {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

}  // namespace

OutputFormat SoundFileSink::resolveFormat(const std::string& path, OutputFormat requested) {
    if (requested != OutputFormat::fromExtension) return requested;
    return lowerExtension(path) == "flac" ? OutputFormat::flac : OutputFormat::wav;
}

SampleFormat SoundFileSink::resolveSampleFormat(OutputFormat format, SampleFormat requested) {
    if (format == OutputFormat::flac) {
        if (requested == SampleFormat::float32)
            throw RenderError(ExitCode::usage, "FLAC stores 16- or 24-bit samples; use --bits 16 or 24");
        return requested == SampleFormat::byDefault ? SampleFormat::pcm24 : requested;
    }
    // Floating point keeps the panner's output exact and cannot clip.
    return requested == SampleFormat::byDefault ? SampleFormat::float32 : requested;
}

std::string SoundFileSink::describe(OutputFormat format, SampleFormat sampleFormat) {
    const char* container = format == OutputFormat::flac ? "FLAC" : "WAV";
    const char* samples = sampleFormat == SampleFormat::pcm16   ? "16-bit"
                          : sampleFormat == SampleFormat::pcm24 ? "24-bit"
                                                                : "32-bit float";
    return std::string(container) + ", " + samples;
}

SoundFileSink::SoundFileSink(const std::string& path, OutputFormat format, SampleFormat sampleFormat,
                             int channels, int sampleRate)
    : path_(path), channels_(channels) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::vector<char> pattern;
    const std::string text = folder + "." + name + ".XXXXXX";
    pattern.assign(text.begin(), text.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd < 0) throw RenderError(ExitCode::output, "cannot create a file in the folder of " + path);
    temporaryPath_ = pattern.data();
    giveUsualPermissions(fd);

    SF_INFO info{};
    info.channels = channels;
    info.samplerate = sampleRate;
    info.format = (format == OutputFormat::flac ? SF_FORMAT_FLAC : SF_FORMAT_WAVEX) | subtypeOf(sampleFormat);
    file_ = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file_) {
        const std::string why = sf_strerror(nullptr);
        close(fd);
        std::remove(temporaryPath_.c_str());
        throw RenderError(ExitCode::output, "cannot write " + path + ": " + why);
    }
    // Integer formats would otherwise wrap around on samples beyond full scale.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (format == OutputFormat::wav && channels == 6) applySurroundMap();
}

void SoundFileSink::applySurroundMap() {
    // Microsoft's speaker order; libsndfile turns it into the 0x3F channel mask.
    int map[6] = {SF_CHANNEL_MAP_FRONT_LEFT, SF_CHANNEL_MAP_FRONT_RIGHT, SF_CHANNEL_MAP_FRONT_CENTER,
                  SF_CHANNEL_MAP_LFE,        SF_CHANNEL_MAP_REAR_LEFT,   SF_CHANNEL_MAP_REAR_RIGHT};
    sf_command(file_, SFC_SET_CHANNEL_MAP_INFO, map, sizeof(map));
}

SoundFileSink::~SoundFileSink() {
    discard();
}

void SoundFileSink::discard() {
    if (file_) sf_close(file_);
    file_ = nullptr;
    if (!temporaryPath_.empty()) std::remove(temporaryPath_.c_str());
    temporaryPath_.clear();
}

void SoundFileSink::write(const float* interleaved, int64_t frames) {
    if (sf_writef_float(file_, interleaved, frames) != frames) {
        const std::string why = sf_strerror(file_);
        discard();
        throw RenderError(ExitCode::output, "writing " + path_ + " failed: " + why);
    }
}

void SoundFileSink::commit() {
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0 || std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        discard();
        throw RenderError(ExitCode::output, "cannot finish " + path_);
    }
    temporaryPath_.clear();
}

}  // namespace render
