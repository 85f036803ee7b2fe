#include "tools/render/ProgressReporter.h"

#include <unistd.h>

namespace render {

namespace {
constexpr int kBarWidth = 40;
constexpr int kLineStep = 10;
}  // namespace

ProgressReporter::ProgressReporter(int64_t totalFrames, double sampleRate, bool enabled, FILE* out)
    : total_(totalFrames),
      sampleRate_(sampleRate),
      enabled_(enabled),
      terminal_(isatty(fileno(out)) != 0),
      out_(out) {}

void ProgressReporter::update(int64_t framesDone) {
    if (!enabled_ || total_ <= 0) return;
    const int percent = static_cast<int>(framesDone * 100 / total_);
    if (percent == lastPercent_) return;
    if (terminal_)
        drawBar(percent);
    else if (percent / kLineStep != lastPercent_ / kLineStep || lastPercent_ < 0)
        std::fprintf(out_, "rendered %3d%% (%.1f s of %.1f s)\n", percent, framesDone / sampleRate_,
                     total_ / sampleRate_);
    lastPercent_ = percent;
    std::fflush(out_);
}

void ProgressReporter::drawBar(int percent) {
    const int filled = percent * kBarWidth / 100;
    std::fprintf(out_, "\r[");
    for (int i = 0; i < kBarWidth; ++i) std::fputc(i < filled ? '#' : '.', out_);
    std::fprintf(out_, "] %3d%%", percent);
}

void ProgressReporter::finish() {
    if (!enabled_ || total_ <= 0) return;
    update(total_);
    if (terminal_) std::fputc('\n', out_);
    std::fflush(out_);
}

}  // namespace render
