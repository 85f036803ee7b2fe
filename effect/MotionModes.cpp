#include "effect/MotionModes.h"

#include <algorithm>
#include <cmath>

#include "runtime/ScriptNumbers.h"

using quill::isZero;
using quill::nearlyEqual;

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
    ch.posX = clampUnit((cosDeg(angleX) * 0.5 + 0.5) * ch.scaleX + ch.offsetX);
    ch.posY = clampUnit((sinDeg(angleY) * 0.5 + 0.5) * ch.scaleY + ch.offsetY);
}

void rotate(PanChannel& ch) {
    if (isZero(ch.motionStarted)) {
        ch.rotAngle = ch.stepDeg > 0 ? 90 : (ch.stepDeg < 0 ? -90 : 0);
        ch.motionStarted = 1;
    }
    placeOnCircle(ch, ch.rotAngle, ch.rotAngle);
    ch.rotAngle = wrapDegrees(ch.rotAngle + ch.stepDeg);
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
        ch.randFraction += (std::fabs(ch.stepDeg) * 0.009) / (ch.randLength + 0.00001);
    }
    const double f = ch.randFraction;
    ch.posX = clampUnit(((1 - f) * ch.randFromX + f * ch.randToX) * ch.scaleX + ch.offsetX);
    ch.posY = clampUnit(((1 - f) * ch.randFromY + f * ch.randToY) * ch.scaleY + ch.offsetY);
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
    ch.bowlRadius += std::fabs(ch.stepDeg) * ch.bowlRate * (ch.bowlTarget - ch.bowlRadius);
    const double inset = (1 - ch.bowlRadius) * 0.5;
    ch.posX = clampUnit((cosDeg(ch.bowlAngle) * 0.5 + 0.5) * ch.scaleX * ch.bowlRadius + inset + ch.offsetX);
    ch.posY = clampUnit((sinDeg(ch.bowlAngle) * 0.5 + 0.5) * ch.scaleY * ch.bowlRadius + inset + ch.offsetY);
    ch.bowlAngle = wrapDegrees(ch.bowlAngle + ch.stepDeg * ch.bowlDirection);
}

}  // namespace

void motionStep(double playState, double sampleRate, PanChannel& ch, RandomSource& random) {
    if (isZero(playState)) return;
    const bool switched = !nearlyEqual(ch.lastMovedMode, ch.motionMode);
    ch.lastMovedMode = ch.motionMode;
    if (isZero(ch.motionMode)) return;
    if (nearlyEqual(ch.motionMode, kRotate)) {
        rotate(ch);
    } else if (nearlyEqual(ch.motionMode, kCruise)) {
        cruise(ch, random);
    } else if (nearlyEqual(ch.motionMode, kRandomize)) {
        randomize(ch, random, switched);
    } else if (nearlyEqual(ch.motionMode, kFishBowl)) {
        fishBowl(ch, sampleRate, random);
    }
}
