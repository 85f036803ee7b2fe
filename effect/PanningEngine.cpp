#include "effect/PanningEngine.h"

#include <algorithm>
#include <cmath>

#include "effect/MotionModes.h"
#include "effect/QuillEffect.h"
#include "effect/SineCosine.h"
#include "plugin/boundary/MonotonicClock.h"
#include "plugin/boundary/ReverseFunctions.h"
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
// Pairs go together through the vector unit: the x and y of a position, L and R, Ls and Rs.
struct ChannelGains {
    explicit ChannelGains(const PanChannel& ch)
        : smooth(_mm_set_pd(ch.smoothY, ch.smoothX)),
          at(_mm_set_pd(ch.gainY, ch.gainX)),
          sines(_mm_set_pd(ch.sinY, ch.sinX)),
          cosines(_mm_set_pd(ch.cosY, ch.cosX)),
          centerShare(ch.centerShare),
          zoneGain(ch.zoneGain),
          front(_mm_set_pd(ch.gainR, ch.gainL)),
          center(ch.gainC),
          rear(_mm_set_pd(ch.gainRs, ch.gainLs)) {}

    void store(PanChannel& ch) const {
        ch.smoothX = lowLane(smooth);
        ch.smoothY = highLane(smooth);
        ch.gainX = lowLane(at);
        ch.gainY = highLane(at);
        ch.sinX = lowLane(sines);
        ch.sinY = highLane(sines);
        ch.cosX = lowLane(cosines);
        ch.cosY = highLane(cosines);
        ch.centerShare = centerShare;
        ch.zoneGain = zoneGain;
        ch.gainL = lowLane(front);
        ch.gainR = highLane(front);
        ch.gainC = center;
        ch.gainLs = lowLane(rear);
        ch.gainRs = highLane(rear);
    }

    __m128d smooth;
    __m128d at;  // the position of the last gain computation
    __m128d sines, cosines;
    double centerShare;
    double zoneGain;
    __m128d front;  // L, R
    double center;
    __m128d rear;  // Ls, Rs
};

// The speaker gains of position (x, y).
__attribute__((always_inline)) inline void applyGainLaw(const GainSettings& s, ChannelGains& g,
                                                        __m128d position, TurningSineCosine& terms) {
    const SineCosine t = terms.at(_mm_mul_pd(position, _mm_set1_pd(kHalfPi)));
    // The law takes sqrt(sin^2) and sqrt(1 - sin^2) of each angle, which are |sin| and |cos|: the
    // sine and cosine themselves for positions in the square (angles of 0 to 90 degrees).
    const __m128d noSign = _mm_set1_pd(-0.0);
    g.sines = _mm_andnot_pd(noSign, t.sin);
    g.cosines = _mm_andnot_pd(noSign, t.cos);
    const double sinX = lowLane(g.sines);
    const double p = sinX * sinX;
    g.centerShare = (1 - std::fabs((p - 0.5) * 2)) * s.centerWeight;
    g.zoneGain = zoneGainAt(s, lowLane(position), highLane(position));
    const __m128d zoneGain = _mm_set1_pd(g.zoneGain);
    // (cos x, sin x) shared between front and back by cos y and sin y.
    const __m128d across = _mm_unpacklo_pd(g.cosines, g.sines);
    const __m128d cosY = _mm_unpackhi_pd(g.cosines, g.cosines);
    const __m128d sinY = _mm_unpackhi_pd(g.sines, g.sines);
    const __m128d frontShare = _mm_set1_pd(1 - g.centerShare);
    g.front = _mm_mul_pd(_mm_mul_pd(_mm_mul_pd(across, cosY), frontShare), zoneGain);
    g.center = g.centerShare * lowLane(cosY) * g.zoneGain;
    g.rear = _mm_mul_pd(_mm_mul_pd(across, sinY), zoneGain);
}

// One smoothing step towards the target (x, y) and, when the position moved, new gains. Kept in the
// sample loop: a call there would save and restore the loop's vector registers at every sample.
__attribute__((always_inline)) inline void panTowards(const GainSettings& s, ChannelGains& g, __m128d target,
                                                      TurningSineCosine& terms) {
    __m128d position = target;
    if (s.smoothCoef < 1) {
        g.smooth = _mm_add_pd(g.smooth, _mm_mul_pd(_mm_set1_pd(s.smoothCoef), _mm_sub_pd(target, g.smooth)));
        position = g.smooth;
    }
    // Both axes within the tolerance of the last computation (NaN is not).
    const __m128d moved = _mm_andnot_pd(_mm_set1_pd(-0.0), _mm_sub_pd(position, g.at));
    if (_mm_movemask_pd(_mm_cmplt_pd(moved, _mm_set1_pd(quill::kTolerance))) == 3) return;
    g.at = position;
    applyGainLaw(s, g, position, terms);
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
    // The largest magnitudes: max answers its second operand for NaN, and so keeps the peak.
    static __m128d raised(__m128d peak, __m128d v) {
        return _mm_max_pd(_mm_andnot_pd(_mm_set1_pd(-0.0), v), peak);
    }

    __m128d in = _mm_setzero_pd();                                            // L, R
    __m128d out[3] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};  // pairs of outputs

    void raise(EffectVariables& var) const {
        raisePeak(var.inPeakL, lowLane(in));
        raisePeak(var.inPeakR, highLane(in));
        for (int n = 0; n < 3; ++n) {
            raisePeak(var.outPeak[2 * n], lowLane(out[n]));
            raisePeak(var.outPeak[2 * n + 1], highLane(out[n]));
        }
    }
};

// Where a processed channel's targets come from in a run of samples: its motion, or the position it
// holds, read once per run (a stride of 0).
struct ChannelTargets {
    const double* x;
    const double* y;
    int stride;
    __m128d at(int i) const { return _mm_loadh_pd(_mm_load_sd(x + i * stride), y + i * stride); }
};

// The two samples of a pair of outputs at frame j.
inline void storePair(float* first, float* second, int32_t j, __m128d v) {
    const __m128 f = _mm_cvtpd_ps(v);
    _mm_store_ss(first + j, f);
    _mm_store_ss(second + j, _mm_shuffle_ps(f, f, _MM_SHUFFLE(1, 1, 1, 1)));
}
inline void storePair(double* first, double* second, int32_t j, __m128d v) {
    _mm_store_sd(first + j, v);
    _mm_storeh_pd(second + j, v);
}

// The last frame of a run and its channels' signals, for the script variables.
struct RunEnd {
    __m128d frame[3] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
    double s1 = 0, s2 = 0, monoSum = 0;
};

// The frames of a run once the targets are known: both inputs or their mono sum panned into the six
// outputs, in pairs L R, C LFE, Ls Rs.
template <bool kTwoInputs, typename Sample>
void mixRun(const FrameSettings& f, const Sample* in0, const Sample* in1, Sample* const* out, int32_t j0,
            int count, const ChannelTargets* targets, ChannelGains* g, TurningSineCosine* terms,
            BlockPeaks& peaks, RunEnd& end) {
    ChannelGains& g1 = g[0];
    ChannelGains& g2 = g[1];
    const __m128d outputGain = _mm_set1_pd(f.outputGain);
    Sample* const outL = out[0];
    Sample* const outR = out[1];
    Sample* const outC = out[2];
    Sample* const outLfe = out[3];
    Sample* const outLs = out[4];
    Sample* const outRs = out[5];
    __m128d peakIn = peaks.in, peakFront = peaks.out[0], peakMiddle = peaks.out[1], peakRear = peaks.out[2];
    __m128d front = end.frame[0], middle = end.frame[1], rear = end.frame[2];
    double s1 = end.s1, s2 = end.s2, monoSum = end.monoSum;
    for (int i = 0; i < count; ++i) {
        const int32_t j = j0 + i;
        // Both inputs are read before any output of the frame is written: buffers may be shared.
        const __m128d input = _mm_set_pd(static_cast<double>(in1[j]), static_cast<double>(in0[j]));
        peakIn = BlockPeaks::raised(peakIn, input);
        const __m128d ab = _mm_mul_pd(outputGain, input);
        const double a = lowLane(ab);
        const double b = highLane(ab);
        monoSum = (a + b) * kMonoFactor;
        const double sendC = monoSum * f.sendCGain * kMonoFactor;
        const double lfe = monoSum * f.sendLfeGain * kMonoFactor;
        double center;
        if (kTwoInputs) {
            s1 = a;
            panTowards(f.gains, g1, targets[0].at(i), terms[0]);
            s2 = b;
            panTowards(f.gains, g2, targets[1].at(i), terms[1]);
            const __m128d v1 = _mm_unpacklo_pd(ab, ab);
            const __m128d v2 = _mm_unpackhi_pd(ab, ab);
            front = _mm_add_pd(_mm_mul_pd(v1, g1.front), _mm_mul_pd(v2, g2.front));
            center = s1 * g1.center + s2 * g2.center + sendC;
            rear = _mm_add_pd(_mm_mul_pd(v1, g1.rear), _mm_mul_pd(v2, g2.rear));
        } else {
            s1 = monoSum;
            panTowards(f.gains, g1, targets[0].at(i), terms[0]);
            const __m128d v1 = _mm_set1_pd(s1);
            front = _mm_mul_pd(v1, g1.front);
            center = s1 * g1.center + sendC;
            rear = _mm_mul_pd(v1, g1.rear);
        }
        middle = _mm_set_pd(lfe, center);
        storePair(outL, outR, j, front);
        storePair(outC, outLfe, j, middle);
        storePair(outLs, outRs, j, rear);
        peakFront = BlockPeaks::raised(peakFront, front);
        peakMiddle = BlockPeaks::raised(peakMiddle, middle);
        peakRear = BlockPeaks::raised(peakRear, rear);
    }
    peaks.in = peakIn;
    peaks.out[0] = peakFront;
    peaks.out[1] = peakMiddle;
    peaks.out[2] = peakRear;
    end.frame[0] = front;
    end.frame[1] = middle;
    end.frame[2] = rear;
    end.s1 = s1;
    end.s2 = s2;
    end.monoSum = monoSum;
}

// Frames j0 .. j0 + count - 1 (count at most kMotionRun) of the sample section. The channels'
// smoothing and gains are the block's own copies in g.
template <typename Sample>
void renderRun(TQuillEffect& effect, const FrameSettings& f, const Sample* in0, const Sample* in1,
               Sample* const* out, int32_t j0, int count, ChannelGains* g, BlockPeaks& peaks, RunEnd& end) {
    EffectVariables& var = effect.var;
    const int processed = f.twoInputs ? 2 : 1;
    MotionRun motion[2];
    double held[2][2];
    ChannelTargets targets[2] = {};
    // Each run starts the gain law's turned sines afresh.
    TurningSineCosine terms[2];
    int moving = 0;
    for (int c = 0; c < processed; ++c) {
        PanChannel& ch = var.ch[c];
        const MotionMode mode = runningMode(f.playState, f.motionMode[c]);
        held[c][0] = ch.posX;
        held[c][1] = ch.posY;
        targets[c] = {&held[c][0], &held[c][1], 0};
        // A switch of mode shows at the first moving sample after it: a run has one mode throughout.
        const bool switched = !isZero(f.playState) && !quill::nearlyEqual(ch.lastMovedMode, f.motionMode[c]);
        if (!isZero(f.playState)) ch.lastMovedMode = f.motionMode[c];
        if (mode == kManual) continue;
        motion[moving].ch = &ch;
        motion[moving].mode = mode;
        motion[moving].entered = switched;
        targets[c] = {motion[moving].x, motion[moving].y, 1};
        ++moving;
    }
    runMotion(motion, moving, count, f.sampleRate, effect.random);
    if (f.twoInputs) {
        mixRun<true>(f, in0, in1, out, j0, count, targets, g, terms, peaks, end);
    } else {
        mixRun<false>(f, in0, in1, out, j0, count, targets, g, terms, peaks, end);
    }
    var.monoSum = end.monoSum;
    var.ch[0].signal = end.s1;
    if (f.twoInputs) var.ch[1].signal = end.s2;
}

template <typename Sample>
void renderFrames(TQuillEffect& effect, const Sample* in0, const Sample* in1, Sample* const* out,
                  int32_t frames) {
    if (frames <= 0) return;
    EffectVariables& var = effect.var;
    const FrameSettings f(effect);
    ChannelGains gains[2] = {ChannelGains(var.ch[0]), ChannelGains(var.ch[1])};
    BlockPeaks peaks;
    RunEnd end;
    for (int32_t j0 = 0; j0 < frames; j0 += kMotionRun) {
        const int count = static_cast<int>(std::min<int32_t>(kMotionRun, frames - j0));
        renderRun(effect, f, in0, in1, out, j0, count, gains, peaks, end);
    }
    // A channel that was not processed keeps its values, and keeps showing where it last was.
    gains[0].store(var.ch[0]);
    publishPosition(var.ch[0]);
    if (f.twoInputs) {
        gains[1].store(var.ch[1]);
        publishPosition(var.ch[1]);
    }
    peaks.raise(var);
    for (int n = 0; n < 3; ++n) {
        effect.spl[2 * n] = lowLane(end.frame[n]);
        effect.spl[2 * n + 1] = highLane(end.frame[n]);
    }
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
    panTowards(GainSettings(var), gains, _mm_set_pd(targetY, targetX), terms);
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
