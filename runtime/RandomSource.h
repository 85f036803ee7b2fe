// The motion modes' random source: 0..32767 with the same sequence on every platform (the C
// library's rand() differs between them).
#pragma once

#include <emmintrin.h>

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

    // The next count draws, as count calls of next() give them, four states at a time: each lane steps
    // four places along the sequence, so that no multiplication waits for the one before.
    void fill(int* draws, int count) {
        if (count <= 0) return;
        uint32_t first[4];
        uint32_t s = state_;
        for (uint32_t& lane : first) lane = s = s * kMultiplier + kIncrement;
        __m128i states = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first));
        const __m128i multiplier = _mm_set1_epi32(static_cast<int>(kMultiplierFour));
        const __m128i increment = _mm_set1_epi32(static_cast<int>(kIncrementFour));
        const __m128i mask = _mm_set1_epi32(0x7FFF);
        int i = 0;
        for (; i + 4 < count; i += 4) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(draws + i),
                             _mm_and_si128(_mm_srli_epi32(states, 16), mask));
            states = _mm_add_epi32(multiplyLanes(states, multiplier), increment);
        }
        // The last one to four draws come from the states in hand; the generator ends on the last used.
        uint32_t lanes[4];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), states);
        const int rest = count - i;
        for (int k = 0; k < rest; ++k) draws[i + k] = drawOf(lanes[k]);
        state_ = lanes[rest - 1];
    }

  private:
    // The low 32 bits of each lane's product (SSE2 multiplies two lanes at a time).
    static __m128i multiplyLanes(__m128i a, __m128i b) {
        const __m128i even = _mm_mul_epu32(a, b);
        const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
        return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                                  _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
    }

    static constexpr uint32_t kMultiplier = 214013u;
    static constexpr uint32_t kIncrement = 2531011u;
    // Two steps at once: s (a a) + (a c + c), all modulo 2^32.
    static constexpr uint32_t kMultiplierTwice = kMultiplier * kMultiplier;
    static constexpr uint32_t kIncrementTwice = kMultiplier * kIncrement + kIncrement;
    // Four steps: two steps twice.
    static constexpr uint32_t kMultiplierFour = kMultiplierTwice * kMultiplierTwice;
    static constexpr uint32_t kIncrementFour = kMultiplierTwice * kIncrementTwice + kIncrementTwice;

    static int drawOf(uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }

    uint32_t state_;
};
