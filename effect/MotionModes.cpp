#include "effect/MotionModes.h"

#include <algorithm>
#include <cmath>

#include "runtime/ScriptNumbers.h"

using quill::isZero;
using quill::nearlyEqual;

// The target position is shared with the panel and the slider section. The compiler may not keep
// other values in registers across a store to it, so each mode computes both coordinates first and
// stores them last.
namespace {

constexpr double kRandomMax = RandomSource::kMax;

double clampUnit(double v) {
    if (!(v > 0)) return 0;
    return std::min(v, 1.0);
}

double wrapDegrees(double angle) {
    if (angle < 0) angle += 360;
    if (angle >= 360) angle -= 360;
    return angle;
}

double sign(double v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

double cosDeg(double degrees) {
    return std::cos(degrees * quill::kDegreesToRadians);
}
double sinDeg(double degrees) {
    return std::sin(degrees * quill::kDegreesToRadians);
}

void placeOnCircle(PanChannel& ch, double angleX, double angleY) {
    const double cosX = cosDeg(angleX);
    const double sinY = sinDeg(angleY);
    const double x = clampUnit((cosX * 0.5 + 0.5) * ch.scaleX + ch.offsetX);
    const double y = clampUnit((sinY * 0.5 + 0.5) * ch.scaleY + ch.offsetY);
    ch.posX = x;
    ch.posY = y;
}

void rotate(PanChannel& ch) {
    const double step = ch.stepDeg;
    if (isZero(ch.motionStarted)) {
        ch.rotAngle = step > 0 ? 90 : (step < 0 ? -90 : 0);
        ch.motionStarted = 1;
    }
    placeOnCircle(ch, ch.rotAngle, ch.rotAngle);
    ch.rotAngle = wrapDegrees(ch.rotAngle + step);
}

void cruise(PanChannel& ch, RandomSource& random) {
    if (isZero(ch.motionStarted)) {
        ch.rotAngle = 0;
        ch.cruiseAngleY = 0;
        ch.motionStarted = 1;
    }
    const double r1 = random.next();
    const double r2 = random.next();
    const double jitterX = (50 - r1 * 100 / kRandomMax) * 0.00001;
    const double jitterY = (50 - r2 * 200 / kRandomMax) * 0.00002;
    placeOnCircle(ch, ch.cruiseAngleX, ch.cruiseAngleY);
    const double s = ch.stepDeg;
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

// entered: the previous moving sample ran another mode (or none), so the segment end held from an
// earlier run, or the (0, 0) of one that never ran, says nothing of where the channel is now.
void randomize(PanChannel& ch, RandomSource& random, bool entered) {
    if (isZero(ch.motionStarted) || entered) {
        ch.randToX = ch.posX;
        ch.randToY = ch.posY;
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
        ch.randFraction += (std::fabs(ch.stepDeg.load()) * 0.009) / (ch.randLength + 0.00001);
    }
    const double f = ch.randFraction;
    const double x = clampUnit(((1 - f) * ch.randFromX + f * ch.randToX) * ch.scaleX + ch.offsetX);
    const double y = clampUnit(((1 - f) * ch.randFromY + f * ch.randToY) * ch.scaleY + ch.offsetY);
    ch.posX = x;
    ch.posY = y;
}

void fishBowl(PanChannel& ch, double sampleRate, RandomSource& random) {
    if (isZero(ch.bowlReady)) {
        ch.bowlReady = 1;
        ch.bowlDirection = 1;
        ch.bowlRate = 44100 / sampleRate * 0.1;
        if (!std::isfinite(ch.bowlRate)) ch.bowlRate = 0;
    }
    if (random.next() / kRandomMax > 0.99997) {
        if (random.next() / kRandomMax >= 0.98) ch.bowlDirection = -ch.bowlDirection;
        ch.bowlTarget = random.next() / kRandomMax * 0.5 + 0.5;
    }
    const double step = ch.stepDeg;
    ch.bowlRadius += std::fabs(step) * ch.bowlRate * (ch.bowlTarget - ch.bowlRadius);
    const double inset = (1 - ch.bowlRadius) * 0.5;
    const double cosA = cosDeg(ch.bowlAngle);
    const double sinA = sinDeg(ch.bowlAngle);
    const double x = clampUnit((cosA * 0.5 + 0.5) * ch.scaleX * ch.bowlRadius + inset + ch.offsetX);
    const double y = clampUnit((sinA * 0.5 + 0.5) * ch.scaleY * ch.bowlRadius + inset + ch.offsetY);
    ch.bowlAngle = wrapDegrees(ch.bowlAngle + step * ch.bowlDirection);
    ch.posX = x;
    ch.posY = y;
}

}  // namespace

void motionStep(double playState, double sampleRate, PanChannel& ch, RandomSource& random) {
    if (isZero(playState)) return;
    // The mode is shared with the threads that set it: read once, so one step runs one mode.
    const double mode = ch.motionMode;
    const bool switched = !nearlyEqual(ch.lastMovedMode, mode);
    ch.lastMovedMode = mode;
    if (isZero(mode)) return;
    if (nearlyEqual(mode, kRotate)) {
        rotate(ch);
    } else if (nearlyEqual(mode, kCruise)) {
        cruise(ch, random);
    } else if (nearlyEqual(mode, kRandomize)) {
        randomize(ch, random, switched);
    } else if (nearlyEqual(mode, kFishBowl)) {
        fishBowl(ch, sampleRate, random);
    }
}
