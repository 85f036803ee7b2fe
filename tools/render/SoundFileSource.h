// A sound file in any format libsndfile reads.
#pragma once

#include <sndfile.h>

#include <string>

#include "tools/render/AudioSource.h"

namespace render {

class SoundFileSource : public AudioSource {
  public:
    // Throws RenderError(input) for a missing or unreadable file.
    explicit SoundFileSource(const std::string& path);
    ~SoundFileSource() override;
    SoundFileSource(const SoundFileSource&) = delete;
    SoundFileSource& operator=(const SoundFileSource&) = delete;

    int channels() const override { return info_.channels; }
    double sampleRate() const override { return info_.samplerate; }
    int64_t frames() const override { return info_.frames; }
    int64_t read(float* interleaved, int64_t frames) override;

  private:
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
};

}  // namespace render
