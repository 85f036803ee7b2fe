// Where the samples of a render come from: a sound file or the generated default signal.
#pragma once

#include <cstdint>

namespace render {

class AudioSource {
  public:
    virtual ~AudioSource() = default;
    virtual int channels() const = 0;
    virtual double sampleRate() const = 0;
    virtual int64_t frames() const = 0;
    // Reads up to frames interleaved frames; answers how many it read (0 at the end).
    virtual int64_t read(float* interleaved, int64_t frames) = 0;
};

}  // namespace render
