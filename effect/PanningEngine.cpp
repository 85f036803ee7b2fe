#include "effect/PanningEngine.h"

#include <algorithm>
#include <cmath>

#include "effect/MotionModes.h"
#include "effect/QuillEffect.h"
#include "plugin/MonotonicClock.h"
#include "plugin/ReverseFunctions.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;

namespace {

constexpr double kHalfPi = 3.14159265358979323846 / 2;
constexpr double kMonoFactor = 0.708;

// (x, y) is the channel's new gain position.
double zoneGainAt(const EffectVariables& var, double x, double y) {
    if (isZero(var.zoneOn)) return 1;
    const double dx = 0.5 - x;
    const double dy = 0.5 - y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d > 0.5) return var.zoneEdgeGain;
    return (1 - 2 * d) * var.zoneCenterGain + 2 * d * var.zoneEdgeGain;
}

// Display refresh and latency reports on the host's behalf; this effect raises neither.
void runtimeBlockDuties(TQuillEffect& effect) {
    EffectVariables& var = effect.var;
    if (!isZero(var.displayRefreshFlag)) {
        const double now = static_cast<double>(platform::monotonicMilliseconds());
        if (now - var.lastDisplayRefreshMs > 250) {
            var.displayRefreshFlag = 0;
            adapterUpdateDisplay(effect.adapter);
            var.lastDisplayRefreshMs = now;
        }
    }
    if (!quill::nearlyEqual(var.latency, var.reportedLatency)) {
        var.reportedLatency = var.latency;
        adapterSetInitialDelay(effect.adapter, quill::toIndex(var.latency));
    }
}

// The display lowers the peaks on its own thread; storing only a raise keeps from undoing its decay.
void raisePeak(SharedDouble& peak, double level) {
    if (peak.load() < level) peak.store(level);
}

inline void processChannel(TQuillEffect& effect, PanChannel& ch, double input) {
    ch.signal = input;
    // A channel at rest costs no call once the motion step has seen it at rest.
    if (!isZero(ch.motionMode) || !isZero(ch.lastMovedMode))
        motionStep(effect.var.playState, effect.host.sampleRate, ch, effect.random);
    computeGains(effect.var, ch, ch.posX, ch.posY);
}

}  // namespace

void publishPosition(PanChannel& ch) {
    // A parameter change on another thread may have put the recompute marker into the gain position
    // since this frame's gains were computed: only a position in the square is shown.
    const double x = ch.gainX;
    const double y = ch.gainY;
    if (!(x >= 0 && x <= 1 && y >= 0 && y <= 1)) return;
    ch.shownX = x;
    ch.shownY = y;
    ch.shownFromAudio = true;
}

// The channel's values are shared with other threads: each is read once into a local and written once.
void computeGains(const EffectVariables& var, PanChannel& ch, double targetX, double targetY) {
    double x = targetX;
    double y = targetY;
    const double smoothCoef = var.smoothCoef;
    if (smoothCoef < 1) {
        const double smoothX = ch.smoothX;
        const double smoothY = ch.smoothY;
        x = smoothX + smoothCoef * (targetX - smoothX);
        y = smoothY + smoothCoef * (targetY - smoothY);
        ch.smoothX = x;
        ch.smoothY = y;
    }
    if (quill::nearlyEqual(x, ch.gainX) && quill::nearlyEqual(y, ch.gainY)) return;
    ch.gainX = x;
    ch.gainY = y;
    const double sx = std::sin(x * kHalfPi);
    const double sy = std::sin(y * kHalfPi);
    const double p = sx * sx;
    const double q = sy * sy;
    const double sinX = std::sqrt(std::fabs(p));
    const double sinY = std::sqrt(std::fabs(q));
    const double cosX = std::sqrt(std::fabs(1 - p));
    const double cosY = std::sqrt(std::fabs(1 - q));
    const double centerShare = (1 - std::fabs((p - 0.5) * 2)) * var.centerWeight;
    const double zoneGain = zoneGainAt(var, x, y);
    ch.sinX = sinX;
    ch.sinY = sinY;
    ch.cosX = cosX;
    ch.cosY = cosY;
    ch.centerShare = centerShare;
    ch.zoneGain = zoneGain;
    ch.gainL = zoneGain * cosX * cosY * (1 - centerShare);
    ch.gainR = sinX * cosY * (1 - centerShare) * zoneGain;
    ch.gainC = centerShare * cosY * zoneGain;
    ch.gainLs = cosX * sinY * zoneGain;
    ch.gainRs = sinX * sinY * zoneGain;
}

void blockSection(TQuillEffect& effect) {
    runtimeBlockDuties(effect);
    HostValues& host = effect.host;
    double tempo = 0, numerator = 0, denominator = 0;
    adapterGetTempoAndSignature(effect.adapter, &tempo, &numerator, &denominator);
    host.tempo = tempo;
    host.timeSigNumerator = numerator;
    host.timeSigDenominator = denominator;
    const int playing = adapterIsPlaying(effect.adapter) ? 1 : 0;
    const int recording = adapterIsRecording(effect.adapter) ? 4 : 0;
    host.beatPosition = adapterGetPpqPos(effect.adapter);
    effect.var.playState = playing | recording;
    if (isZero(effect.var.playState)) {
        for (PanChannel& ch : effect.var.ch) ch.motionStarted = 0;
    }
}

void sampleSection(TQuillEffect& effect) {
    EffectVariables& var = effect.var;
    double* spl = effect.spl;
    raisePeak(var.inPeakL, std::fabs(spl[0]));
    raisePeak(var.inPeakR, std::fabs(spl[1]));
    const double a = var.outputGain * spl[0];
    const double b = var.outputGain * spl[1];
    var.monoSum = (a + b) * kMonoFactor;

    PanChannel& c1 = var.ch[0];
    PanChannel& c2 = var.ch[1];
    const bool twoInputs = !isZero(var.stereoInput);
    if (twoInputs) {
        processChannel(effect, c1, a);
        processChannel(effect, c2, b);
    } else {
        processChannel(effect, c1, var.monoSum);
    }

    const double s1 = c1.signal;
    const double sendC = var.monoSum * var.sendCGain * kMonoFactor;
    if (twoInputs) {
        const double s2 = c2.signal;
        spl[0] = s1 * c1.gainL + s2 * c2.gainL;
        spl[1] = s1 * c1.gainR + s2 * c2.gainR;
        spl[2] = s1 * c1.gainC + s2 * c2.gainC + sendC;
        spl[4] = s1 * c1.gainLs + s2 * c2.gainLs;
        spl[5] = s1 * c1.gainRs + s2 * c2.gainRs;
    } else {
        spl[0] = s1 * c1.gainL;
        spl[1] = s1 * c1.gainR;
        spl[2] = s1 * c1.gainC + sendC;
        spl[4] = s1 * c1.gainLs;
        spl[5] = s1 * c1.gainRs;
    }
    spl[3] = var.monoSum * var.sendLfeGain * kMonoFactor;

    // A channel that was not processed may still hold the forced-recompute marker in its gain
    // position; the display keeps showing where it last was instead.
    publishPosition(c1);
    if (twoInputs) publishPosition(c2);
    for (int n = 0; n < 6; ++n) raisePeak(var.outPeak[n], std::fabs(spl[n]));
}
