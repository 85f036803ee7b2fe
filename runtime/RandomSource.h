// The motion modes' random source: 0..32767 with the same sequence on every platform (the C
// library's rand() differs between them).
#pragma once

#include <cstdint>

class RandomSource {
  public:
    static constexpr int kMax = 32767;

    explicit RandomSource(uint32_t seed = 1) : state_(seed) {}

    int next() {
        state_ = state_ * kMultiplier + kIncrement;
        return drawOf(state_);
    }

    // The next two draws, as two calls of next() give them; both states come from the current one, so
    // that neither multiplication waits for the other.
    void nextPair(int& first, int& second) {
        const uint32_t one = state_ * kMultiplier + kIncrement;
        state_ = state_ * kMultiplierTwice + kIncrementTwice;
        first = drawOf(one);
        second = drawOf(state_);
    }

  private:
    static constexpr uint32_t kMultiplier = 214013u;
    static constexpr uint32_t kIncrement = 2531011u;
    // Two steps at once: s (a a) + (a c + c), all modulo 2^32.
    static constexpr uint32_t kMultiplierTwice = kMultiplier * kMultiplier;
    static constexpr uint32_t kIncrementTwice = kMultiplier * kIncrement + kIncrement;

    static int drawOf(uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }

    uint32_t state_;
};
