// Render progress on stderr: a bar redrawn in place on a terminal, a line every tenth
// otherwise (logs and pipes), nothing when quiet.
#pragma once

#include <cstdint>
#include <cstdio>

namespace render {

class ProgressReporter {
  public:
    ProgressReporter(int64_t totalFrames, double sampleRate, bool enabled, FILE* out = stderr);

    void update(int64_t framesDone);
    void finish();

  private:
    void drawBar(int percent);

    int64_t total_;
    double sampleRate_;
    bool enabled_;
    bool terminal_;
    FILE* out_;
    int lastPercent_ = -1;
};

}  // namespace render
