// The loudest sample of each output channel over a whole render.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render {

class PeakMeter {
  public:
    explicit PeakMeter(int channels) : peaks_(static_cast<size_t>(channels), 0.0f) {}

    void measure(const float* const* channels, int64_t frames);
    float peak(int channel) const { return peaks_[static_cast<size_t>(channel)]; }
    int channels() const { return static_cast<int>(peaks_.size()); }

    // One line per channel: "  L     -6.02 dBFS"; 5.1 names when there are six channels.
    std::string summary() const;
    static std::string channelName(int channel, int channels);

  private:
    std::vector<float> peaks_;
};

}  // namespace render
