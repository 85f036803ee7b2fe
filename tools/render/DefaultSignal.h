// The signal rendered when no input file is given: a steady tone on the left input and
// bursts of noise on the right, so the two sources are easy to follow around the 5.1 field.
#pragma once

#include <cstdint>

#include "tools/render/AudioSource.h"

namespace render {

class DefaultSignal : public AudioSource {
  public:
    static constexpr double kSampleRate = 48000.0;

    explicit DefaultSignal(double seconds);

    int channels() const override { return 2; }
    double sampleRate() const override { return kSampleRate; }
    int64_t frames() const override { return frames_; }
    int64_t read(float* interleaved, int64_t frames) override;

  private:
    float tone(int64_t frame) const;
    float noiseBurst(int64_t frame);
    float fade(int64_t frame) const;

    int64_t frames_;
    int64_t position_ = 0;
    uint32_t noiseState_ = 0x9E3779B9u;  // fixed seed: every demo render is the same
};

}  // namespace render
