// The bypass switch: the effect keeps running while bypassed, so that nothing glides when it comes
// back; its outputs fade to the dry inputs on L and R (silence elsewhere) and back over one
// smoothing time. The dry inputs are kept aside first, since a host may process in place.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

class CVst3Bypass {
  public:
    // Main thread, while not processing.
    void prepare(int32_t maximumBlock);
    // Any thread.
    void request(bool bypassed) { requested_.store(bypassed, std::memory_order_relaxed); }
    bool requested() const { return requested_.load(std::memory_order_relaxed); }

    // Audio thread (all below). Whether the coming frames need the dry inputs kept.
    bool engaged() const { return level_ > 0 || requested(); }
    // The most frames keep can hold at once.
    int32_t capacity() const { return static_cast<int32_t>(dryLeft_.size()); }
    template <typename Sample>
    void keep(const Sample* left, const Sample* right, int32_t frames);
    // Fades the six outputs towards the state asked for, rampFrames frames for the whole way.
    template <typename Sample>
    void mix(Sample* const* outputs, int32_t frames, double rampFrames);

  private:
    std::atomic<bool> requested_{false};
    // 0: the effect's outputs, 1: the dry inputs.
    double level_ = 0;
    std::vector<double> dryLeft_;
    std::vector<double> dryRight_;
};
