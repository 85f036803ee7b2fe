// Flush-to-zero and denormals-are-zero for the lifetime of a processing call, so that silence and
// decaying signals cost no more than signal. The previous mode comes back afterwards.
#pragma once

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>

class DenormalGuard {
  public:
    DenormalGuard() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero); }
    ~DenormalGuard() { _mm_setcsr(saved_); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

  private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved_;
};
#else
class DenormalGuard {};
#endif
