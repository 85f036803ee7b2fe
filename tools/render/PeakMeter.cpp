#include "tools/render/PeakMeter.h"

#include <cmath>
#include <cstdio>

namespace render {

void PeakMeter::measure(const float* const* channels, int64_t frames) {
    for (size_t c = 0; c < peaks_.size(); ++c)
        for (int64_t i = 0; i < frames; ++i) peaks_[c] = std::fmax(peaks_[c], std::fabs(channels[c][i]));
}

std::string PeakMeter::channelName(int channel, int channels) {
    static const char* const surround[] = {"L", "R", "C", "LFE", "Ls", "Rs"};
    if (channels == 6) return surround[channel];
    return "out " + std::to_string(channel + 1);
}

std::string PeakMeter::summary() const {
    std::string text;
    for (int c = 0; c < channels(); ++c) {
        char line[96];
        const float value = peaks_[static_cast<size_t>(c)];
        if (value > 0.0f)
            std::snprintf(line, sizeof line, "  %-6s %8.2f dBFS%s\n", channelName(c, channels()).c_str(),
                          20.0 * std::log10(value), value > 1.0f ? "  (above full scale)" : "");
        else
            std::snprintf(line, sizeof line, "  %-6s   silent\n", channelName(c, channels()).c_str());
        text += line;
    }
    return text;
}

}  // namespace render
