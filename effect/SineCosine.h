// Sine and cosine of two angles at once in SSE2, for the per-sample motion and gain law. Every build
// target has SSE2 (the 32-bit Windows tool chain turns it on). Over the angles the engine produces the
// results stay within about one unit in the last place of the C library's; angles beyond a few dozen
// turns, infinities and NaN take the library's own path.
#pragma once

#include <emmintrin.h>

#include <cmath>

#if !defined(__SSE2__)
#error "The engine's sine and cosine need SSE2 (-msse2)."
#endif

struct SineCosine {
    __m128d sin;
    __m128d cos;
};

namespace sine_cosine {

constexpr double kTwoOverPi = 0.63661977236758134308;
// Pi / 2 in two parts: the first has 33 significant bits, so that its product with any quadrant count
// below 2^20 is exact and the reduction loses nothing.
constexpr double kHalfPiHigh = 1.57079632673412561417e+00;
constexpr double kHalfPiLow = 6.07710050650619224932e-11;
// Past this the two-part reduction would lose accuracy; the engine's angles stay far below it.
constexpr double kReducedLimit = 256.0;

// Taylor coefficients through x^17 for the sine and x^18 for the cosine: on |r| <= pi / 4 the first
// term left out is below 1e-19.
constexpr double kSin[] = {-1.0 / 6,
                           1.0 / 120,
                           -1.0 / 5040,
                           1.0 / 362880,
                           -1.0 / 39916800.0,
                           1.0 / 6227020800.0,
                           -1.0 / 1307674368000.0,
                           1.0 / 355687428096000.0};
constexpr double kCos[] = {-1.0 / 2,
                           1.0 / 24,
                           -1.0 / 720,
                           1.0 / 40320,
                           -1.0 / 3628800.0,
                           1.0 / 479001600.0,
                           -1.0 / 87178291200.0,
                           1.0 / 20922789888000.0,
                           -1.0 / 6402373705728000.0};

inline __m128d select(__m128d mask, __m128d whenSet, __m128d otherwise) {
    return _mm_or_pd(_mm_and_pd(mask, whenSet), _mm_andnot_pd(mask, otherwise));
}

// The lanes the reduction cannot serve, answered by the library; cold.
SineCosine libraryPath(__m128d radians, SineCosine fast);

// The first thing every form does: the remainder r of the angle after the nearest multiple of pi / 2
// (counted by quadrant), what r's rounding left out (tail) and r^2.
struct Reduced {
    __m128i quadrant;  // two 32-bit counts, each spread over its 64-bit lane
    __m128d r, tail, z;
};

inline Reduced reduce(__m128d radians) {
    // Nearest quadrant count (the processor's rounding, to nearest unless a host changed it; any
    // integer keeps the reduction exact, only the remainder's range would grow).
    const __m128i count = _mm_cvtpd_epi32(_mm_mul_pd(radians, _mm_set1_pd(kTwoOverPi)));
    const __m128d q = _mm_cvtepi32_pd(count);
    const __m128d t = _mm_sub_pd(radians, _mm_mul_pd(q, _mm_set1_pd(kHalfPiHigh)));
    const __m128d w = _mm_mul_pd(q, _mm_set1_pd(kHalfPiLow));
    // |t| >= |w| makes the subtraction that recovers the tail exact.
    const __m128d r = _mm_sub_pd(t, w);
    const __m128d tail = _mm_sub_pd(_mm_sub_pd(t, r), w);
    return {_mm_shuffle_epi32(count, _MM_SHUFFLE(1, 1, 0, 0)), r, tail, _mm_mul_pd(r, r)};
}

// sin r and cos r from a polynomial p of the sine's (ps) or of the cosine's (pc) series:
// sin(r + tail) = sin r + tail cos r and cos(r + tail) = cos r - tail sin r, to the precision kept;
// cos r = 1 - z / 2 + z^2 pc, where 1 - z / 2 is rounded and what that rounding lost added back.
inline __m128d sineForm(const Reduced& a, __m128d ps) {
    const __m128d half = _mm_mul_pd(_mm_set1_pd(0.5), a.z);
    const __m128d tailCos = _mm_sub_pd(a.tail, _mm_mul_pd(half, a.tail));
    return _mm_add_pd(a.r, _mm_add_pd(_mm_mul_pd(_mm_mul_pd(a.r, a.z), ps), tailCos));
}
inline __m128d cosineForm(const Reduced& a, __m128d pc) {
    const __m128d half = _mm_mul_pd(_mm_set1_pd(0.5), a.z);
    const __m128d head = _mm_sub_pd(_mm_set1_pd(1.0), half);
    const __m128d lost = _mm_sub_pd(_mm_sub_pd(_mm_set1_pd(1.0), head), half);
    return _mm_add_pd(
        head, _mm_add_pd(lost, _mm_sub_pd(_mm_mul_pd(_mm_mul_pd(a.z, a.z), pc), _mm_mul_pd(a.r, a.tail))));
}

// Lanes whose count is odd, as a full mask, and the sign bit where bit 1 of (count + add) is set.
inline __m128d oddLanes(__m128i count) {
    const __m128i one = _mm_set1_epi32(1);
    return _mm_castsi128_pd(_mm_cmpeq_epi32(_mm_and_si128(count, one), one));
}
inline __m128d signWhereBitOne(__m128i count, int add) {
    const __m128i bitOne = _mm_set_epi32(0, 2, 0, 2);
    return _mm_castsi128_pd(
        _mm_slli_epi64(_mm_and_si128(_mm_add_epi32(count, _mm_set1_epi32(add)), bitOne), 62));
}

inline bool outsideReduction(__m128d radians) {
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), radians);
    // Not below the limit, which NaN is not either.
    return _mm_movemask_pd(_mm_cmpnlt_pd(magnitude, _mm_set1_pd(kReducedLimit))) != 0;
}

}  // namespace sine_cosine

// sin and cos of both lanes of radians. Any thread.
inline SineCosine sineCosine(__m128d radians) {
    using namespace sine_cosine;
    const Reduced a = reduce(radians);
    // Written out: compilers leave such short loops rolled, with a load and a shuffle per step.
    const __m128d z = a.z;
    __m128d ps = _mm_add_pd(_mm_mul_pd(_mm_set1_pd(kSin[7]), z), _mm_set1_pd(kSin[6]));
    ps = _mm_add_pd(_mm_mul_pd(ps, z), _mm_set1_pd(kSin[5]));
    ps = _mm_add_pd(_mm_mul_pd(ps, z), _mm_set1_pd(kSin[4]));
    ps = _mm_add_pd(_mm_mul_pd(ps, z), _mm_set1_pd(kSin[3]));
    ps = _mm_add_pd(_mm_mul_pd(ps, z), _mm_set1_pd(kSin[2]));
    ps = _mm_add_pd(_mm_mul_pd(ps, z), _mm_set1_pd(kSin[1]));
    ps = _mm_add_pd(_mm_mul_pd(ps, z), _mm_set1_pd(kSin[0]));
    __m128d pc = _mm_add_pd(_mm_mul_pd(_mm_set1_pd(kCos[8]), z), _mm_set1_pd(kCos[7]));
    pc = _mm_add_pd(_mm_mul_pd(pc, z), _mm_set1_pd(kCos[6]));
    pc = _mm_add_pd(_mm_mul_pd(pc, z), _mm_set1_pd(kCos[5]));
    pc = _mm_add_pd(_mm_mul_pd(pc, z), _mm_set1_pd(kCos[4]));
    pc = _mm_add_pd(_mm_mul_pd(pc, z), _mm_set1_pd(kCos[3]));
    pc = _mm_add_pd(_mm_mul_pd(pc, z), _mm_set1_pd(kCos[2]));
    pc = _mm_add_pd(_mm_mul_pd(pc, z), _mm_set1_pd(kCos[1]));
    const __m128d s = sineForm(a, ps);
    const __m128d c = cosineForm(a, pc);
    // Quadrant n (mod 4): sin is s, c, -s, -c and cos is c, -s, -c, s.
    const __m128d odd = oddLanes(a.quadrant);
    SineCosine result{_mm_xor_pd(select(odd, c, s), signWhereBitOne(a.quadrant, 0)),
                      _mm_xor_pd(select(odd, s, c), signWhereBitOne(a.quadrant, 1))};
    if (__builtin_expect(outsideReduction(radians), 0)) return libraryPath(radians, result);
    return result;
}

// The sines and cosines of a chain of angles that move by small steps: each is the previous one
// turned by the step d (sin(a + d) = sin a cos d + cos a sin d), a fraction of the cost of a full
// sine and cosine. A chain starts from the full ones, and so does every larger step (a jump or a
// wrap); rounding builds up only over the steps of one chain, some 1e-14 at most over a few dozen.
class TurningSineCosine {
  public:
    // Below this step the short series below leave out less than 1e-19 (d^6 / 720 of cos d), which
    // keeps a long chain's rounding the only error; the steps of any speed, a pair of samples apart,
    // and of the smoothing stay below it at the usual sample rates.
    static constexpr double kTurnLimit = 0.002;

    SineCosine at(__m128d radians) {
        if (valid_) {
            const __m128d d = _mm_sub_pd(radians, radians_);
            const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), d);
            if (_mm_movemask_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(kTurnLimit))) == 3) {
                radians_ = radians;
                terms_ = turned(d);
                return terms_;
            }
        }
        valid_ = true;
        radians_ = radians;
        terms_ = sineCosine(radians);
        return terms_;
    }

  private:
    SineCosine turned(__m128d d) const {
        const __m128d z = _mm_mul_pd(d, d);
        const __m128d sinD = _mm_add_pd(
            d, _mm_mul_pd(_mm_mul_pd(d, z),
                          _mm_add_pd(_mm_set1_pd(-1.0 / 6), _mm_mul_pd(z, _mm_set1_pd(1.0 / 120)))));
        const __m128d cosD =
            _mm_add_pd(_mm_set1_pd(1.0),
                       _mm_mul_pd(z, _mm_add_pd(_mm_set1_pd(-0.5), _mm_mul_pd(z, _mm_set1_pd(1.0 / 24)))));
        return {_mm_add_pd(_mm_mul_pd(terms_.sin, cosD), _mm_mul_pd(terms_.cos, sinD)),
                _mm_sub_pd(_mm_mul_pd(terms_.cos, cosD), _mm_mul_pd(terms_.sin, sinD))};
    }

    bool valid_ = false;
    __m128d radians_ = _mm_setzero_pd();
    SineCosine terms_{_mm_setzero_pd(), _mm_setzero_pd()};
};

// Both lanes of a vector as doubles.
inline double lowLane(__m128d v) {
    return _mm_cvtsd_f64(v);
}
inline double highLane(__m128d v) {
    return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v));
}
