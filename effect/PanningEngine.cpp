#include "effect/PanningEngine.h"

#include <algorithm>
#include <cmath>

#include "effect/MotionModes.h"
#include "effect/QuillEffect.h"
#include "effect/SineCosine.h"
#include "plugin/MonotonicClock.h"
#include "plugin/ReverseFunctions.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;

namespace {

constexpr double kHalfPi = 3.14159265358979323846 / 2;
constexpr double kMonoFactor = 0.708;

// The slider-derived values the gain law uses, read once per block: a change made on another thread
// meanwhile takes effect at the next block, which the settings version then makes recompute.
struct GainSettings {
    explicit GainSettings(const EffectVariables& var)
        : smoothCoef(var.smoothCoef),
          centerWeight(var.centerWeight),
          zoneOn(!isZero(var.zoneOn)),
          zoneCenterGain(var.zoneCenterGain),
          zoneEdgeGain(var.zoneEdgeGain) {}
    double smoothCoef;
    double centerWeight;
    bool zoneOn;
    double zoneCenterGain, zoneEdgeGain;
};

double zoneGainAt(const GainSettings& s, double x, double y) {
    if (!s.zoneOn) return 1;
    const double dx = 0.5 - x;
    const double dy = 0.5 - y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d > 0.5) return s.zoneEdgeGain;
    return (1 - 2 * d) * s.zoneCenterGain + 2 * d * s.zoneEdgeGain;
}

// A channel's smoothing and gains as the audio thread works on them: loaded from the shared channel
// at the start of a block and stored back at its end, so that the sample loop keeps them in registers.
struct ChannelGains {
    explicit ChannelGains(const PanChannel& ch)
        : smoothX(ch.smoothX),
          smoothY(ch.smoothY),
          gainX(ch.gainX),
          gainY(ch.gainY),
          sinX(ch.sinX),
          cosX(ch.cosX),
          sinY(ch.sinY),
          cosY(ch.cosY),
          centerShare(ch.centerShare),
          zoneGain(ch.zoneGain),
          gainL(ch.gainL),
          gainR(ch.gainR),
          gainC(ch.gainC),
          gainLs(ch.gainLs),
          gainRs(ch.gainRs) {}

    void store(PanChannel& ch) const {
        ch.smoothX = smoothX;
        ch.smoothY = smoothY;
        ch.gainX = gainX;
        ch.gainY = gainY;
        ch.sinX = sinX;
        ch.cosX = cosX;
        ch.sinY = sinY;
        ch.cosY = cosY;
        ch.centerShare = centerShare;
        ch.zoneGain = zoneGain;
        ch.gainL = gainL;
        ch.gainR = gainR;
        ch.gainC = gainC;
        ch.gainLs = gainLs;
        ch.gainRs = gainRs;
    }

    double smoothX, smoothY;
    double gainX, gainY;
    double sinX, cosX, sinY, cosY;
    double centerShare;
    double zoneGain;
    double gainL, gainR, gainC, gainLs, gainRs;
};

// The speaker gains of position (x, y).
void applyGainLaw(const GainSettings& s, ChannelGains& g, double x, double y, TurningSineCosine& terms) {
    const SineCosine t = terms.at(_mm_mul_pd(_mm_set_pd(y, x), _mm_set1_pd(kHalfPi)));
    // The law takes sqrt(sin^2) and sqrt(1 - sin^2) of each angle, which are |sin| and |cos|: the
    // sine and cosine themselves for positions in the square (angles of 0 to 90 degrees).
    const __m128d noSign = _mm_set1_pd(-0.0);
    const __m128d sines = _mm_andnot_pd(noSign, t.sin);
    const __m128d cosines = _mm_andnot_pd(noSign, t.cos);
    g.sinX = lowLane(sines);
    g.sinY = highLane(sines);
    g.cosX = lowLane(cosines);
    g.cosY = highLane(cosines);
    const double p = g.sinX * g.sinX;
    g.centerShare = (1 - std::fabs((p - 0.5) * 2)) * s.centerWeight;
    g.zoneGain = zoneGainAt(s, x, y);
    g.gainL = g.zoneGain * g.cosX * g.cosY * (1 - g.centerShare);
    g.gainR = g.sinX * g.cosY * (1 - g.centerShare) * g.zoneGain;
    g.gainC = g.centerShare * g.cosY * g.zoneGain;
    g.gainLs = g.cosX * g.sinY * g.zoneGain;
    g.gainRs = g.sinX * g.sinY * g.zoneGain;
}

// One smoothing step towards the target and, when the position moved, new gains.
inline void panTowards(const GainSettings& s, ChannelGains& g, double targetX, double targetY,
                       TurningSineCosine& terms) {
    double x = targetX;
    double y = targetY;
    if (s.smoothCoef < 1) {
        g.smoothX += s.smoothCoef * (targetX - g.smoothX);
        g.smoothY += s.smoothCoef * (targetY - g.smoothY);
        x = g.smoothX;
        y = g.smoothY;
    }
    if (quill::nearlyEqual(x, g.gainX) && quill::nearlyEqual(y, g.gainY)) return;
    g.gainX = x;
    g.gainY = y;
    applyGainLaw(s, g, x, y, terms);
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

// What a sample frame reads besides the channels' own state, taken once per block.
struct FrameSettings {
    explicit FrameSettings(const TQuillEffect& effect)
        : gains(effect.var),
          outputGain(effect.var.outputGain),
          sendCGain(effect.var.sendCGain),
          sendLfeGain(effect.var.sendLfeGain),
          twoInputs(!isZero(effect.var.stereoInput)),
          playState(effect.var.playState),
          sampleRate(effect.host.sampleRate),
          motionMode{effect.var.ch[0].motionMode, effect.var.ch[1].motionMode} {}
    GainSettings gains;
    double outputGain;
    double sendCGain, sendLfeGain;
    bool twoInputs;
    double playState;
    double sampleRate;
    double motionMode[2];  // each channel's Animation value
};

// The display lowers the peaks on its own thread; storing only a raise keeps from undoing its decay.
void raisePeak(SharedDouble& peak, double level) {
    if (peak.load() < level) peak.store(level);
}

// The block's peaks, raised into the shared ones at its end.
struct BlockPeaks {
    double inL = 0, inR = 0;
    double out[6] = {0, 0, 0, 0, 0, 0};

    void raise(EffectVariables& var) const {
        raisePeak(var.inPeakL, inL);
        raisePeak(var.inPeakR, inR);
        for (int n = 0; n < 6; ++n) raisePeak(var.outPeak[n], out[n]);
    }
};

// Where a processed channel's target comes from in a run of samples: its motion, or the position it
// holds, read once per run.
struct ChannelTargets {
    const MotionRun* motion;
    double x, y;
    double targetX(int i) const { return motion ? motion->x[i] : x; }
    double targetY(int i) const { return motion ? motion->y[i] : y; }
};

// Frames j0 .. j0 + count - 1 (count at most kMotionRun) of the sample section. The channels'
// smoothing and gains are the block's own copies in g.
template <typename Sample>
void renderRun(TQuillEffect& effect, const FrameSettings& f, const Sample* in0, const Sample* in1,
               Sample* const* out, int32_t j0, int count, ChannelGains* g, BlockPeaks& peaks, double* frame) {
    EffectVariables& var = effect.var;
    const int processed = f.twoInputs ? 2 : 1;
    MotionRun motion[2];
    ChannelTargets targets[2] = {};
    TurningSineCosine terms[2];
    int moving = 0;
    for (int c = 0; c < processed; ++c) {
        PanChannel& ch = var.ch[c];
        const MotionMode mode = runningMode(f.playState, f.motionMode[c]);
        targets[c] = {nullptr, ch.posX, ch.posY};
        // A switch of mode shows at the first moving sample after it: a run has one mode throughout.
        const bool switched = !isZero(f.playState) && !quill::nearlyEqual(ch.lastMovedMode, f.motionMode[c]);
        if (!isZero(f.playState)) ch.lastMovedMode = f.motionMode[c];
        if (mode == kManual) continue;
        motion[moving].ch = &ch;
        motion[moving].mode = mode;
        motion[moving].entered = switched;
        targets[c].motion = &motion[moving];
        ++moving;
    }
    runMotion(motion, moving, count, f.sampleRate, effect.random);

    ChannelGains& g1 = g[0];
    ChannelGains& g2 = g[1];
    double s1 = 0, s2 = 0, monoSum = 0;
    for (int i = 0; i < count; ++i) {
        const int32_t j = j0 + i;
        // Both inputs are read before any output of the frame is written: buffers may be shared.
        const double left = in0[j];
        const double right = in1[j];
        peaks.inL = std::max(peaks.inL, std::fabs(left));
        peaks.inR = std::max(peaks.inR, std::fabs(right));
        const double a = f.outputGain * left;
        const double b = f.outputGain * right;
        monoSum = (a + b) * kMonoFactor;
        const double sendC = monoSum * f.sendCGain * kMonoFactor;
        if (f.twoInputs) {
            s1 = a;
            panTowards(f.gains, g1, targets[0].targetX(i), targets[0].targetY(i), terms[0]);
            s2 = b;
            panTowards(f.gains, g2, targets[1].targetX(i), targets[1].targetY(i), terms[1]);
            frame[0] = s1 * g1.gainL + s2 * g2.gainL;
            frame[1] = s1 * g1.gainR + s2 * g2.gainR;
            frame[2] = s1 * g1.gainC + s2 * g2.gainC + sendC;
            frame[4] = s1 * g1.gainLs + s2 * g2.gainLs;
            frame[5] = s1 * g1.gainRs + s2 * g2.gainRs;
        } else {
            s1 = monoSum;
            panTowards(f.gains, g1, targets[0].targetX(i), targets[0].targetY(i), terms[0]);
            frame[0] = s1 * g1.gainL;
            frame[1] = s1 * g1.gainR;
            frame[2] = s1 * g1.gainC + sendC;
            frame[4] = s1 * g1.gainLs;
            frame[5] = s1 * g1.gainRs;
        }
        frame[3] = monoSum * f.sendLfeGain * kMonoFactor;
        for (int n = 0; n < 6; ++n) {
            out[n][j] = static_cast<Sample>(frame[n]);
            peaks.out[n] = std::max(peaks.out[n], std::fabs(frame[n]));
        }
    }
    var.monoSum = monoSum;
    var.ch[0].signal = s1;
    if (f.twoInputs) var.ch[1].signal = s2;
}

template <typename Sample>
void renderFrames(TQuillEffect& effect, const Sample* in0, const Sample* in1, Sample* const* out,
                  int32_t frames) {
    if (frames <= 0) return;
    EffectVariables& var = effect.var;
    const FrameSettings f(effect);
    ChannelGains gains[2] = {ChannelGains(var.ch[0]), ChannelGains(var.ch[1])};
    BlockPeaks peaks;
    double frame[6];
    for (int32_t j0 = 0; j0 < frames; j0 += kMotionRun) {
        const int count = static_cast<int>(std::min<int32_t>(kMotionRun, frames - j0));
        renderRun(effect, f, in0, in1, out, j0, count, gains, peaks, frame);
    }
    // A channel that was not processed keeps its values, and keeps showing where it last was.
    gains[0].store(var.ch[0]);
    publishPosition(var.ch[0]);
    if (f.twoInputs) {
        gains[1].store(var.ch[1]);
        publishPosition(var.ch[1]);
    }
    peaks.raise(var);
    for (int n = 0; n < 6; ++n) effect.spl[n] = frame[n];
}

}  // namespace

void publishPosition(PanChannel& ch) {
    // A parameter change on another thread may have put the recompute marker into the gain position
    // since the block's last gains were computed: only a position in the square is shown.
    const double x = ch.gainX;
    const double y = ch.gainY;
    if (!(x >= 0 && x <= 1 && y >= 0 && y <= 1)) return;
    ch.shownX = x;
    ch.shownY = y;
    ch.shownFromAudio = true;
}

// Outside the block engine (the init section, tests): one smoothing step and the gains, on copies of
// the shared values stored back at once.
void computeGains(const EffectVariables& var, PanChannel& ch, double targetX, double targetY) {
    TurningSineCosine terms;
    ChannelGains gains(ch);
    panTowards(GainSettings(var), gains, targetX, targetY, terms);
    gains.store(ch);
}

void blockSection(TQuillEffect& effect) {
    runtimeBlockDuties(effect);
    const uint32_t version = effect.settingsVersion.load(std::memory_order_acquire);
    if (version != effect.settingsVersionSeen) {
        effect.settingsVersionSeen = version;
        for (PanChannel& ch : effect.var.ch) ch.gainX = ch.gainY = kForceGainRecompute;
    }
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
    double* spl = effect.spl;
    double* const out[6] = {spl, spl + 1, spl + 2, spl + 3, spl + 4, spl + 5};
    renderFrames(effect, spl, spl + 1, out, 1);
}

void sampleSectionBlock(TQuillEffect& effect, const float* in0, const float* in1, float* const* out,
                        int32_t frames) {
    renderFrames(effect, in0, in1, out, frames);
}

void sampleSectionBlock(TQuillEffect& effect, const double* in0, const double* in1, double* const* out,
                        int32_t frames) {
    renderFrames(effect, in0, in1, out, frames);
}
