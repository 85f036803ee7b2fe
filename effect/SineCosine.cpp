#include "effect/SineCosine.h"

namespace sine_cosine {

SineCosine libraryPath(__m128d radians, SineCosine fast) {
    double angle[2], sine[2], cosine[2];
    _mm_storeu_pd(angle, radians);
    _mm_storeu_pd(sine, fast.sin);
    _mm_storeu_pd(cosine, fast.cos);
    for (int lane = 0; lane < 2; ++lane) {
        if (std::fabs(angle[lane]) < kReducedLimit) continue;
        sine[lane] = std::sin(angle[lane]);
        cosine[lane] = std::cos(angle[lane]);
    }
    return {_mm_loadu_pd(sine), _mm_loadu_pd(cosine)};
}

}  // namespace sine_cosine
