// The output file. Samples go to a hidden temporary file beside the target, which is renamed
// to the requested name only by commit(): a failed or interrupted render leaves no partial file.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>

#include "tools/render/RenderOptions.h"

namespace render {

class SoundFileSink {
  public:
    // Six channels in a WAV file carry the 5.1 channel mask (L, R, C, LFE, Ls, Rs).
    SoundFileSink(const std::string& path, OutputFormat format, SampleFormat sampleFormat, int channels,
                  int sampleRate);
    ~SoundFileSink();
    SoundFileSink(const SoundFileSink&) = delete;
    SoundFileSink& operator=(const SoundFileSink&) = delete;

    void write(const float* interleaved, int64_t frames);
    void commit();

    static OutputFormat resolveFormat(const std::string& path, OutputFormat requested);
    static SampleFormat resolveSampleFormat(OutputFormat format, SampleFormat requested);
    static std::string describe(OutputFormat format, SampleFormat sampleFormat);

  private:
    void applySurroundMap();
    void discard();

    std::string path_;
    std::string temporaryPath_;
    SNDFILE* file_ = nullptr;
    int channels_;
};

}  // namespace render
