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

// 0 if v <= 0 (or NaN), else the smaller of v and 1, on both lanes: max answers its second operand
// for NaN.
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

// Randomize's segment, held in registers over a run: the end points as (x, y) lanes, and the fraction
// a sample adds, which changes only with the segment.
class RandomizeSteps {
  public:
    RandomizeSteps(MotionRun& run, double) : run_(run), advance_(std::fabs(run.stepDeg) * 0.009) {
        PanChannel& ch = *run.ch;
        // Entered from another mode, the segment end held from an earlier run, or the (0, 0) of one
        // that never ran, says nothing of where the channel is now.
        if (isZero(ch.motionStarted) || run.entered) {
            ch.randToX = run.startX;
            ch.randToY = run.startY;
            ch.motionStarted = 1;
        }
        // The first segment after a switch starts where the slider section has just put the channel.
        if (run.entered) ch.randFraction = 1;
        fromX_ = ch.randFromX;
        fromY_ = ch.randFromY;
        toX_ = ch.randToX;
        toY_ = ch.randToY;
        fraction_ = ch.randFraction;
        length_ = ch.randLength;
        segmentChanged();
    }
    void step(int j, RandomSource& random) {
        // A segment of no length is finished: continuing it would divide a step by 0.00001 and throw
        // the point far past its end.
        if (!(fraction_ < 1) || length_ <= 0) {
            startSegment(random);
        } else {
            fraction_ += increment_;
        }
        const __m128d f = _mm_set1_pd(fraction_);
        const __m128d along =
            _mm_add_pd(_mm_mul_pd(_mm_sub_pd(_mm_set1_pd(1.0), f), from_), _mm_mul_pd(f, to_));
        const __m128d p = clampUnit(_mm_add_pd(_mm_mul_pd(along, scale_), offset_));
        _mm_store_sd(run_.x + j, p);
        _mm_storeh_pd(run_.y + j, p);
    }
    void finish() {
        PanChannel& ch = *run_.ch;
        ch.randFromX = fromX_;
        ch.randFromY = fromY_;
        ch.randToX = toX_;
        ch.randToY = toY_;
        ch.randFraction = fraction_;
        ch.randLength = length_;
    }

  private:
    void startSegment(RandomSource& random) {
        fraction_ = 0;
        fromX_ = toX_;
        fromY_ = toY_;
        toX_ = nextRandomCoordinate(toX_, random);
        toY_ = nextRandomCoordinate(toY_, random);
        const double dy = fromY_ - toY_;
        const double dx = fromX_ - toX_;
        length_ = std::sqrt(dy * dy + dx * dx);
        segmentChanged();
    }
    void segmentChanged() {
        increment_ = advance_ / (length_ + 0.00001);
        from_ = _mm_set_pd(fromY_, fromX_);
        to_ = _mm_set_pd(toY_, toX_);
    }

    MotionRun& run_;
    const double advance_;
    const __m128d scale_ = _mm_set_pd(run_.scaleY, run_.scaleX);
    const __m128d offset_ = _mm_set_pd(run_.offsetY, run_.offsetX);
    double fromX_, fromY_, toX_, toY_, fraction_, length_, increment_ = 0;
    __m128d from_, to_;
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

// Cruise over a run without the chain from one sample's draws to the next: the run's draws first (the
// generator's own sequence, several states at once), then the angle steps they make, then the angles
// as running sums. Each angle is wrapped as the step-by-step form wraps it; the sums differ from that
// form only in rounding. Larger steps than this, or angles outside one turn, take the sample-by-sample
// path: a run's turn must stay within one wrap.
constexpr double kSummedStepLimit = 1.0;

__m128d wrapDegrees(__m128d angle) {
    const __m128d turn = _mm_set1_pd(360);
    angle = _mm_add_pd(angle, _mm_and_pd(_mm_cmplt_pd(angle, _mm_setzero_pd()), turn));
    return _mm_sub_pd(angle, _mm_and_pd(_mm_cmpge_pd(angle, turn), turn));
}

bool withinOneTurn(double angle) {
    return angle >= 0 && angle < 360;
}

// Cruise's start step, as CruiseSteps takes it; true when the run's angles can be summed.
bool startSummedCruise(MotionRun& run) {
    PanChannel& ch = *run.ch;
    if (isZero(ch.motionStarted)) {
        ch.rotAngle = 0;
        ch.cruiseAngleY = 0;
        ch.motionStarted = 1;
    }
    return std::fabs(run.stepDeg) <= kSummedStepLimit && withinOneTurn(ch.cruiseAngleX) &&
           withinOneTurn(ch.cruiseAngleY);
}

// The run's angles from its draws: r1, r2 of frame j at draws[j * stride].
void sumCruiseAngles(MotionRun& run, const int* draws, int stride, int frames) {
    PanChannel& ch = *run.ch;
    const __m128d step = _mm_set1_pd(run.stepDeg);
    const __m128d direction = _mm_set1_pd(sign(run.stepDeg));
    // (50 - r1 * 100 / 32767) * 0.00001 and (50 - r2 * 200 / 32767) * 0.00002, the second by the
    // reciprocal as the scalar steps take them.
    const __m128d spread = _mm_set_pd(200, 100);
    const __m128d reciprocal = _mm_set1_pd(kRandomReciprocal);
    const __m128d middle = _mm_set1_pd(50);
    const __m128d unit = _mm_set_pd(0.00002, 0.00001);
    __m128d angle = _mm_set_pd(ch.cruiseAngleY, ch.cruiseAngleX);
    for (int j = 0; j < frames; ++j) {
        const __m128d r =
            _mm_cvtepi32_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(draws + j * stride)));
        const __m128d jitter =
            _mm_mul_pd(_mm_sub_pd(middle, _mm_mul_pd(_mm_mul_pd(r, spread), reciprocal)), unit);
        const __m128d wrapped = wrapDegrees(angle);
        _mm_store_sd(run.angleX + j, wrapped);
        _mm_storeh_pd(run.angleY + j, wrapped);
        angle = _mm_add_pd(angle, _mm_add_pd(step, _mm_mul_pd(direction, jitter)));
    }
    const __m128d last = wrapDegrees(angle);
    ch.cruiseAngleX = lowLane(last);
    ch.cruiseAngleY = highLane(last);
}

// The runs when they are Cruise and Rotate only, with a Cruise among them; false (and nothing drawn)
// when they need the sample-by-sample path.
bool stepSummedCruise(MotionRun* runs, int count, int frames, RandomSource& random) {
    int cruising = 0;
    for (int r = 0; r < count; ++r) {
        if (runs[r].mode == kCruise) {
            ++cruising;
        } else if (runs[r].mode != kRotate) {
            return false;
        }
    }
    if (cruising == 0) return false;
    for (int r = 0; r < count; ++r) {
        if (runs[r].mode == kCruise && !startSummedCruise(runs[r])) return false;
    }
    int draws[4 * kMotionRun];
    const int stride = 2 * cruising;
    random.fill(draws, stride * frames);
    int drawn = 0;
    for (int r = 0; r < count; ++r) {
        MotionRun& run = runs[r];
        if (run.mode == kCruise) {
            sumCruiseAngles(run, draws + 2 * drawn++, stride, frames);
        } else {
            // Rotate draws nothing: its steps run on their own.
            RotateSteps steps(run, 0);
            for (int j = 0; j < frames; ++j) steps.step(j, random);
            steps.finish();
        }
    }
    return true;
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
    if (!stepSummedCruise(runs, count, frames, random)) stepAll(runs, count, frames, sampleRate, random);
    for (int r = 0; r < count; ++r) {
        MotionRun& run = runs[r];
        if (run.mode == kManual) continue;
        if (run.mode != kRandomize) placeOnCircles(run, frames);
        run.ch->posX = run.x[frames - 1];
        run.ch->posY = run.y[frames - 1];
    }
}
