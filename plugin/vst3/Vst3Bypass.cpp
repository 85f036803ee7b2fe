#include "plugin/vst3/Vst3Bypass.h"

#include <algorithm>

namespace {
constexpr int32_t kOutputs = 6;
}  // namespace

void CVst3Bypass::prepare(int32_t maximumBlock) {
    const auto frames = static_cast<size_t>(std::max(maximumBlock, 1));
    dryLeft_.assign(frames, 0.0);
    dryRight_.assign(frames, 0.0);
}

template <typename Sample>
void CVst3Bypass::keep(const Sample* left, const Sample* right, int32_t frames) {
    for (int32_t j = 0; j < frames; ++j) {
        dryLeft_[static_cast<size_t>(j)] = left[j];
        dryRight_[static_cast<size_t>(j)] = right[j];
    }
}

template <typename Sample>
void CVst3Bypass::mix(Sample* const* outputs, int32_t frames, double rampFrames) {
    const double target = requested() ? 1.0 : 0.0;
    const double step = 1.0 / std::max(rampFrames, 1.0);
    for (int32_t j = 0; j < frames; ++j) {
        if (level_ < target)
            level_ = std::min(target, level_ + step);
        else if (level_ > target)
            level_ = std::max(target, level_ - step);
        if (level_ == 0) continue;
        const double wet = 1 - level_;
        const auto k = static_cast<size_t>(j);
        outputs[0][j] = static_cast<Sample>(outputs[0][j] * wet + dryLeft_[k] * level_);
        outputs[1][j] = static_cast<Sample>(outputs[1][j] * wet + dryRight_[k] * level_);
        for (int32_t c = 2; c < kOutputs; ++c) outputs[c][j] = static_cast<Sample>(outputs[c][j] * wet);
    }
}

template void CVst3Bypass::keep<float>(const float*, const float*, int32_t);
template void CVst3Bypass::keep<double>(const double*, const double*, int32_t);
template void CVst3Bypass::mix<float>(float* const*, int32_t, double);
template void CVst3Bypass::mix<double>(double* const*, int32_t, double);
