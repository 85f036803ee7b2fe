// The vector sine and cosine and their turned chains against the C library.
#include <gtest/gtest.h>

#include <cmath>

#include "effect/SineCosine.h"

namespace {

struct Pair {
    double sin[2], cos[2];
};

Pair lanes(const SineCosine& t) {
    Pair p;
    _mm_storeu_pd(p.sin, t.sin);
    _mm_storeu_pd(p.cos, t.cos);
    return p;
}

}  // namespace

// Both quadrants' signs and both lanes' series, around the circle and beyond a few turns either way;
// from 256 radians on the library answers itself.
TEST(SineCosine, FullValuesFollowTheLibrary) {
    for (double a = -60; a < 60; a += 0.0371) {
        const double b = -a * 0.77 + 0.5;
        const Pair t = lanes(sineCosine(_mm_set_pd(b, a)));
        EXPECT_NEAR(t.sin[0], std::sin(a), 4e-16) << a;
        EXPECT_NEAR(t.cos[0], std::cos(a), 4e-16) << a;
        EXPECT_NEAR(t.sin[1], std::sin(b), 4e-16) << b;
        EXPECT_NEAR(t.cos[1], std::cos(b), 4e-16) << b;
    }
    const Pair far = lanes(sineCosine(_mm_set_pd(-1e6, 300.0)));
    EXPECT_EQ(far.sin[0], std::sin(300.0));
    EXPECT_EQ(far.cos[1], std::cos(-1e6));
}

// A chain of small steps, up to just below the limit, each lane its own, stays close to the library
// over a run's length; a larger step starts afresh from the full values.
TEST(SineCosine, TurnedChainsStayCloseAndJumpsStartAfresh) {
    TurningSineCosine chain;
    double a = 0.3, b = 1.4;
    double worst = 0;
    for (int step = 0; step < 128; ++step) {
        a += 0.0019 * std::sin(step * 0.7);
        b -= 0.000015 * step;
        const Pair t = lanes(chain.at(_mm_set_pd(b, a)));
        worst = std::max({worst, std::fabs(t.sin[0] - std::sin(a)), std::fabs(t.cos[0] - std::cos(a)),
                          std::fabs(t.sin[1] - std::sin(b)), std::fabs(t.cos[1] - std::cos(b))});
    }
    EXPECT_LT(worst, 1e-14);

    const __m128d jump = _mm_set_pd(b + 2 * TurningSineCosine::kTurnLimit, a);
    const Pair afterJump = lanes(chain.at(jump));
    const Pair full = lanes(sineCosine(jump));
    for (int lane = 0; lane < 2; ++lane) {
        EXPECT_EQ(afterJump.sin[lane], full.sin[lane]);
        EXPECT_EQ(afterJump.cos[lane], full.cos[lane]);
    }
}
