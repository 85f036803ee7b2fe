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
constexpr double kRandomReciprocal = 1 / kRandomMax;

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

// The state steps of one sample, mode by mode. Rotate, Cruise and Fish Bowl record the angles (and
// radius) their position comes from; Randomize places its point at once. Each works over a run on
// copies of its channel's state, which stay in registers, and stores them back at the end.

class RotateSteps {
  public:
    RotateSteps(MotionRun& run, double) : run_(run), step_(run.stepDeg), angle_(run.ch->rotAngle) {
        if (isZero(run.ch->motionStarted)) {
            angle_ = step_ > 0 ? 90 : (step_ < 0 ? -90 : 0);
            run.ch->motionStarted = 1;
        }
    }
    void step(int j, RandomSource&) {
        run_.angleX[j] = run_.angleY[j] = angle_;
        angle_ = wrapDegrees(angle_ + step_);
    }
    void finish() { run_.ch->rotAngle = angle_; }

  private:
    MotionRun& run_;
    const double step_;
    double angle_;
};

class CruiseSteps {
  public:
    CruiseSteps(MotionRun& run, double)
        : run_(run),
          step_(run.stepDeg),
          sign_(sign(run.stepDeg)),
          angleX_(run.ch->cruiseAngleX),
          angleY_(run.ch->cruiseAngleY) {
        if (isZero(run.ch->motionStarted)) {
            run.ch->rotAngle = 0;
            angleY_ = 0;
            run.ch->motionStarted = 1;
        }
    }
    void step(int j, RandomSource& random) {
        int draw1 = 0, draw2 = 0;
        random.nextPair(draw1, draw2);
        const double r1 = draw1;
        const double r2 = draw2;
        // r * 100 / 32767 and r * 200 / 32767 by the reciprocal: a division would take most of the
        // step, and the two differ by at most one unit in the last place.
        const double jitterX = (50 - r1 * 100 * kRandomReciprocal) * 0.00001;
        const double jitterY = (50 - r2 * 200 * kRandomReciprocal) * 0.00002;
        run_.angleX[j] = angleX_;
        run_.angleY[j] = angleY_;
        angleX_ = wrapDegrees(angleX_ + step_ + sign_ * jitterX);
        angleY_ = wrapDegrees(angleY_ + step_ + sign_ * jitterY);
    }
    void finish() {
        run_.ch->cruiseAngleX = angleX_;
        run_.ch->cruiseAngleY = angleY_;
    }

  private:
    MotionRun& run_;
    const double step_, sign_;
    double angleX_, angleY_;
};

class FishBowlSteps {
  public:
    FishBowlSteps(MotionRun& run, double sampleRate) : run_(run) {
        PanChannel& ch = *run.ch;
        if (isZero(ch.bowlReady)) {
            ch.bowlReady = 1;
            ch.bowlDirection = 1;
            ch.bowlRate = 44100 / sampleRate * 0.1;
            if (!std::isfinite(ch.bowlRate)) ch.bowlRate = 0;
        }
        ease_ = std::fabs(run.stepDeg) * ch.bowlRate;
        direction_ = ch.bowlDirection;
        turn_ = run.stepDeg * direction_;
        target_ = ch.bowlTarget;
        radius_ = ch.bowlRadius;
        angle_ = ch.bowlAngle;
    }
    void step(int j, RandomSource& random) {
        // r / 32767 > 0.99997 holds for r = 32767 alone (32766 / 32767 is 0.9999695): no division.
        if (random.next() > RandomSource::kMax - 1) newTarget(random);
        radius_ += ease_ * (target_ - radius_);
        run_.angleX[j] = run_.angleY[j] = angle_;
        run_.radius[j] = radius_;
        angle_ = wrapDegrees(angle_ + turn_);
    }
    void finish() {
        PanChannel& ch = *run_.ch;
        ch.bowlDirection = direction_;
        ch.bowlTarget = target_;
        ch.bowlRadius = radius_;
        ch.bowlAngle = angle_;
    }

  private:
    void newTarget(RandomSource& random) {
        if (random.next() / kRandomMax >= 0.98) {
            direction_ = -direction_;
            turn_ = run_.stepDeg * direction_;
        }
        target_ = random.next() / kRandomMax * 0.5 + 0.5;
    }

    MotionRun& run_;
    double ease_, direction_, turn_, target_, radius_, angle_;
};

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

class RandomizeSteps {
  public:
    RandomizeSteps(MotionRun& run, double) : run_(run) {}
    void step(int j, RandomSource& random) { randomize(*run_.ch, random, run_, j); }
    void finish() {}

  private:
    MotionRun& run_;
};

// The second channel of a run that moves only one.
class NoSteps {
  public:
    NoSteps(MotionRun&, double) {}
    void step(int, RandomSource&) {}
    void finish() {}
};

// Both channels through the run, sample by sample in channel order as they draw from one generator,
// with the generator's state kept in a register meanwhile.
template <class First, class Second>
void stepRuns(MotionRun& first, MotionRun& second, int frames, double sampleRate, RandomSource& random) {
    RandomSource draws = random;
    First a(first, sampleRate);
    Second b(second, sampleRate);
    for (int j = 0; j < frames; ++j) {
        a.step(j, draws);
        b.step(j, draws);
    }
    a.finish();
    b.finish();
    random = draws;
}

template <class First>
void stepWithSecond(MotionRun* runs, int count, int frames, double sampleRate, RandomSource& random) {
    MotionRun& first = runs[0];
    MotionRun& second = count > 1 ? runs[1] : runs[0];
    switch (count > 1 ? second.mode : kManual) {
        case kRotate:
            return stepRuns<First, RotateSteps>(first, second, frames, sampleRate, random);
        case kCruise:
            return stepRuns<First, CruiseSteps>(first, second, frames, sampleRate, random);
        case kRandomize:
            return stepRuns<First, RandomizeSteps>(first, second, frames, sampleRate, random);
        case kFishBowl:
            return stepRuns<First, FishBowlSteps>(first, second, frames, sampleRate, random);
        case kManual:
            return stepRuns<First, NoSteps>(first, second, frames, sampleRate, random);
    }
}

void stepAll(MotionRun* runs, int count, int frames, double sampleRate, RandomSource& random) {
    switch (count > 0 ? runs[0].mode : kManual) {
        case kRotate:
            return stepWithSecond<RotateSteps>(runs, count, frames, sampleRate, random);
        case kCruise:
            return stepWithSecond<CruiseSteps>(runs, count, frames, sampleRate, random);
        case kRandomize:
            return stepWithSecond<RandomizeSteps>(runs, count, frames, sampleRate, random);
        case kFishBowl:
            return stepWithSecond<FishBowlSteps>(runs, count, frames, sampleRate, random);
        case kManual:
            if (count > 1) stepAll(runs + 1, count - 1, frames, sampleRate, random);
            return;
    }
}

// cos(angleX) and sin(angleY) of samples j and j + 1, angles in degrees. Each pair is turned on from
// the pair before, two samples' step, rather than computed afresh. Rotate and Fish Bowl use one angle
// for both terms.
class CircleTerms {
  public:
    explicit CircleTerms(const MotionRun& run) : run_(run), oneAngle_(run.mode != kCruise) {}

    void at(int j, __m128d& cosX, __m128d& sinY) {
        const __m128d toRadians = _mm_set1_pd(quill::kDegreesToRadians);
        const SineCosine tx = x_.at(_mm_mul_pd(_mm_loadu_pd(run_.angleX + j), toRadians));
        cosX = tx.cos;
        sinY = oneAngle_ ? tx.sin : y_.at(_mm_mul_pd(_mm_loadu_pd(run_.angleY + j), toRadians)).sin;
    }

  private:
    const MotionRun& run_;
    bool oneAngle_;
    TurningSineCosine x_, y_;
};

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
    CircleTerms terms(run);
    for (int j = 0; j < frames; j += 2) {
        __m128d cosX, sinY;
        terms.at(j, cosX, sinY);
        __m128d x = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(cosX, half), half), scaleX);
        __m128d y = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(sinY, half), half), scaleY);
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
    stepAll(runs, count, frames, sampleRate, random);
    for (int r = 0; r < count; ++r) {
        MotionRun& run = runs[r];
        if (run.mode == kManual) continue;
        if (run.mode != kRandomize) placeOnCircles(run, frames);
        run.ch->posX = run.x[frames - 1];
        run.ch->posY = run.y[frames - 1];
    }
}
