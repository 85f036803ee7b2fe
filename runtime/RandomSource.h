// The motion modes' random source: 0..32767 with the same sequence on every platform (the C
// library's rand() differs between them).
#pragma once

#include <cstdint>

class RandomSource {
  public:
    static constexpr int kMax = 32767;

    explicit RandomSource(uint32_t seed = 1) : state_(seed) {}

    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

  private:
    uint32_t state_;
};
