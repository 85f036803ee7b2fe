#include "tools/render/DefaultSignal.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {
constexpr double kToneHz = 440.0;
constexpr float kToneLevel = 0.5f;   // -6 dBFS
constexpr float kNoiseLevel = 0.4f;  // about -8 dBFS peak
constexpr double kBurstPeriod = 1.0;
constexpr double kBurstLength = 0.3;
constexpr double kRamp = 0.005;  // short ramps keep the edges click-free
constexpr double kPi = 3.14159265358979323846;
}  // namespace

DefaultSignal::DefaultSignal(double seconds)
    : frames_(static_cast<int64_t>(std::llround(std::max(seconds, 0.0) * kSampleRate))) {}

float DefaultSignal::fade(int64_t frame) const {
    const double ramp = kRamp * kSampleRate;
    const double fromEdge = static_cast<double>(std::min(frame, frames_ - 1 - frame));
    return static_cast<float>(std::clamp(fromEdge / ramp, 0.0, 1.0));
}

float DefaultSignal::tone(int64_t frame) const {
    const double phase = 2.0 * kPi * kToneHz * static_cast<double>(frame) / kSampleRate;
    return kToneLevel * static_cast<float>(std::sin(phase)) * fade(frame);
}

float DefaultSignal::noiseBurst(int64_t frame) {
    // xorshift32: cheap, deterministic white noise.
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    const float white = static_cast<float>(noiseState_) / 4294967295.0f * 2.0f - 1.0f;
    const double t = std::fmod(static_cast<double>(frame) / kSampleRate, kBurstPeriod);
    if (t >= kBurstLength) return 0.0f;
    const double envelope = std::min({1.0, t / kRamp, (kBurstLength - t) / kRamp});
    return kNoiseLevel * white * static_cast<float>(envelope) * fade(frame);
}

int64_t DefaultSignal::read(float* interleaved, int64_t frames) {
    const int64_t count = std::min(frames, frames_ - position_);
    for (int64_t i = 0; i < count; ++i, ++position_) {
        interleaved[2 * i] = tone(position_);
        interleaved[2 * i + 1] = noiseBurst(position_);
    }
    return count;
}

}  // namespace render
