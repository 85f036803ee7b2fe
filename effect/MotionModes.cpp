#include "effect/MotionModes.h"

#include <algorithm>
#include <cmath>

#include "effect/SineCosine.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;
using quill::nearlyEqual;

// The channel's motion settings and its target position are shared with the panel and the slider
// section: a run reads the settings once into its own copies and stores only its last target.
namespace {

constexpr double kRandomMax = RandomSource::kMax;

double clampUnit(double v) {
    if (!(v > 0)) return 0;
    return std::min(v, 1.0);
}

// clampUnit on both lanes: max answers its second operand for NaN, as the scalar form answers 0.
__m128d clampUnit(__m128d v) {
    return _mm_min_pd(_mm_max_pd(v, _mm_setzero_pd()), _mm_set1_pd(1.0));
}

double wrapDegrees(double angle) {
    if (angle < 0) angle += 360;
    if (angle >= 360) angle -= 360;
    return angle;
}

double sign(double v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The state steps of one sample. Rotate, Cruise and Fish Bowl record the angles (and radius) their
// position comes from; Randomize places its point at once.

void rotate(PanChannel& ch, MotionRun& run, int j) {
    const double step = run.stepDeg;
    if (isZero(ch.motionStarted)) {
        ch.rotAngle = step > 0 ? 90 : (step < 0 ? -90 : 0);
        ch.motionStarted = 1;
    }
    run.angleX[j] = run.angleY[j] = ch.rotAngle;
    ch.rotAngle = wrapDegrees(ch.rotAngle + step);
}

void cruise(PanChannel& ch, RandomSource& random, MotionRun& run, int j) {
    if (isZero(ch.motionStarted)) {
        ch.rotAngle = 0;
        ch.cruiseAngleY = 0;
        ch.motionStarted = 1;
    }
    const double r1 = random.next();
    const double r2 = random.next();
    // r1 * 100 / 32767 and r2 * 200 / 32767 in one division of two lanes, rounded as each alone.
    const __m128d shares = _mm_div_pd(_mm_set_pd(r2 * 200, r1 * 100), _mm_set1_pd(kRandomMax));
    const double jitterX = (50 - lowLane(shares)) * 0.00001;
    const double jitterY = (50 - highLane(shares)) * 0.00002;
    run.angleX[j] = ch.cruiseAngleX;
    run.angleY[j] = ch.cruiseAngleY;
    const double s = run.stepDeg;
    ch.cruiseAngleX = wrapDegrees(ch.cruiseAngleX + s + sign(s) * jitterX);
    ch.cruiseAngleY = wrapDegrees(ch.cruiseAngleY + s + sign(s) * jitterY);
}

// Moves a coordinate towards the other half of its axis by a random amount, within 0..1.
double nextRandomCoordinate(double v, RandomSource& random) {
    const double r = random.next() / kRandomMax;
    return v < 0.5 ? std::min(1.0, v + r) : std::max(0.0, v - r);
}

void startRandomSegment(PanChannel& ch, RandomSource& random) {
    ch.randFraction = 0;
    ch.randFromX = ch.randToX;
    ch.randFromY = ch.randToY;
    ch.randToX = nextRandomCoordinate(ch.randToX, random);
    ch.randToY = nextRandomCoordinate(ch.randToY, random);
    const double dy = ch.randFromY - ch.randToY;
    const double dx = ch.randFromX - ch.randToX;
    ch.randLength = std::sqrt(dy * dy + dx * dx);
}

void randomize(PanChannel& ch, RandomSource& random, MotionRun& run, int j) {
    // Entered from another mode, the segment end held from an earlier run, or the (0, 0) of one that
    // never ran, says nothing of where the channel is now.
    const bool entered = run.entered && j == 0;
    if (isZero(ch.motionStarted) || entered) {
        // The current position: the previous sample's target within a run.
        ch.randToX = j > 0 ? run.x[j - 1] : run.startX;
        ch.randToY = j > 0 ? run.y[j - 1] : run.startY;
        ch.motionStarted = 1;
    }
    // The first segment after a switch starts where the slider section has just put the channel.
    if (entered) ch.randFraction = 1;
    // A segment of no length is finished: continuing it would divide a step by 0.00001 and throw the
    // point far past its end.
    const bool finished = !(ch.randFraction < 1) || ch.randLength <= 0;
    if (finished) {
        startRandomSegment(ch, random);
    } else {
        ch.randFraction += (std::fabs(run.stepDeg) * 0.009) / (ch.randLength + 0.00001);
    }
    const double f = ch.randFraction;
    run.x[j] = clampUnit(((1 - f) * ch.randFromX + f * ch.randToX) * run.scaleX + run.offsetX);
    run.y[j] = clampUnit(((1 - f) * ch.randFromY + f * ch.randToY) * run.scaleY + run.offsetY);
}

void fishBowl(PanChannel& ch, double sampleRate, RandomSource& random, MotionRun& run, int j) {
    if (isZero(ch.bowlReady)) {
        ch.bowlReady = 1;
        ch.bowlDirection = 1;
        ch.bowlRate = 44100 / sampleRate * 0.1;
        if (!std::isfinite(ch.bowlRate)) ch.bowlRate = 0;
    }
    // r / 32767 > 0.99997 holds for r = 32767 alone (32766 / 32767 is 0.9999695): no division needed.
    if (random.next() > RandomSource::kMax - 1) {
        if (random.next() / kRandomMax >= 0.98) ch.bowlDirection = -ch.bowlDirection;
        ch.bowlTarget = random.next() / kRandomMax * 0.5 + 0.5;
    }
    const double step = run.stepDeg;
    ch.bowlRadius += std::fabs(step) * ch.bowlRate * (ch.bowlTarget - ch.bowlRadius);
    run.angleX[j] = run.angleY[j] = ch.bowlAngle;
    run.radius[j] = ch.bowlRadius;
    ch.bowlAngle = wrapDegrees(ch.bowlAngle + step * ch.bowlDirection);
}

void step(MotionRun& run, int j, double sampleRate, RandomSource& random) {
    PanChannel& ch = *run.ch;
    switch (run.mode) {
        case kRotate:
            rotate(ch, run, j);
            break;
        case kCruise:
            cruise(ch, random, run, j);
            break;
        case kRandomize:
            randomize(ch, random, run, j);
            break;
        case kFishBowl:
            fishBowl(ch, sampleRate, random, run, j);
            break;
        case kManual:
            break;
    }
}

// cos(angleX) and sin(angleY) of samples j and j + 1, angles in degrees. Rotate and Fish Bowl use one
// angle for both, so one pass gives both terms of both samples.
struct CircleTerms {
    __m128d cosX, sinY;
};

CircleTerms circleTerms(const MotionRun& run, int j) {
    const __m128d toRadians = _mm_set1_pd(quill::kDegreesToRadians);
    if (run.mode != kCruise) {
        const SineCosine t = sineCosine(_mm_mul_pd(_mm_loadu_pd(run.angleX + j), toRadians));
        return {t.cos, t.sin};
    }
    return {cosine(_mm_mul_pd(_mm_loadu_pd(run.angleX + j), toRadians)),
            sine(_mm_mul_pd(_mm_loadu_pd(run.angleY + j), toRadians))};
}

// The targets of the modes that move on a circle, two samples at a time, by the scalar steps'
// formulas in their order of operations.
void placeOnCircles(MotionRun& run, int frames) {
    const __m128d half = _mm_set1_pd(0.5);
    const __m128d scaleX = _mm_set1_pd(run.scaleX), scaleY = _mm_set1_pd(run.scaleY);
    const __m128d offsetX = _mm_set1_pd(run.offsetX), offsetY = _mm_set1_pd(run.offsetY);
    // An odd run's last pair repeats its last sample.
    if (frames % 2 != 0) {
        run.angleX[frames] = run.angleX[frames - 1];
        run.angleY[frames] = run.angleY[frames - 1];
        run.radius[frames] = run.radius[frames - 1];
    }
    for (int j = 0; j < frames; j += 2) {
        const CircleTerms t = circleTerms(run, j);
        __m128d x = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(t.cosX, half), half), scaleX);
        __m128d y = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(t.sinY, half), half), scaleY);
        if (run.mode == kFishBowl) {
            const __m128d radius = _mm_loadu_pd(run.radius + j);
            const __m128d inset = _mm_mul_pd(_mm_sub_pd(_mm_set1_pd(1.0), radius), half);
            x = _mm_add_pd(_mm_mul_pd(x, radius), inset);
            y = _mm_add_pd(_mm_mul_pd(y, radius), inset);
        }
        _mm_storeu_pd(run.x + j, clampUnit(_mm_add_pd(x, offsetX)));
        _mm_storeu_pd(run.y + j, clampUnit(_mm_add_pd(y, offsetY)));
    }
}

}  // namespace

MotionMode runningMode(double playState, double motionMode) {
    if (isZero(motionMode) || isZero(playState)) return kManual;
    for (MotionMode mode : {kRotate, kCruise, kRandomize, kFishBowl}) {
        if (nearlyEqual(motionMode, mode)) return mode;
    }
    return kManual;
}

void runMotion(MotionRun* runs, int count, int frames, double sampleRate, RandomSource& random) {
    if (frames <= 0) return;
    for (int r = 0; r < count; ++r) runs[r].readSettings();
    for (int j = 0; j < frames; ++j) {
        for (int r = 0; r < count; ++r) step(runs[r], j, sampleRate, random);
    }
    for (int r = 0; r < count; ++r) {
        MotionRun& run = runs[r];
        if (run.mode == kManual) continue;
        if (run.mode != kRandomize) placeOnCircles(run, frames);
        run.ch->posX = run.x[frames - 1];
        run.ch->posY = run.y[frames - 1];
    }
}
