// The engine against its law computed the plain way: a reference panner in this file, written from
// the algorithms' own wording (square roots of squared sines, the library's sine and cosine, every
// value read at every sample), runs beside the plug-in over many settings, positions and long motion
// runs, with blocks of every size and changes between them. Every output sample must lie within 1e-7
// of the reference, relative to the largest output of the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

#include "effect/QuillEffect.h"
#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"
#include "runtime/RandomSource.h"

namespace {

constexpr double kTolerance = 1e-7;
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------------
// The reference.

bool isZero(double v) {
    return std::fabs(v) < 0.00001;
}
bool equal(double a, double b) {
    return std::fabs(a - b) < 0.00001;
}
double clampUnit(double v) {
    return v <= 0 ? 0 : std::min(v, 1.0);
}
double wrap(double a) {
    if (a < 0) a += 360;
    if (a >= 360) a -= 360;
    return a;
}
double sgn(double v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
double cosDeg(double a) {
    return std::cos(a * 0.0174532925);
}
double sinDeg(double a) {
    return std::sin(a * 0.0174532925);
}

struct RefChannel {
    double posX = 0, posY = 0, smoothX = 0, smoothY = 0, gainX = 0, gainY = 0, signal = 0;
    double sinX = 0, cosX = 0, sinY = 0, cosY = 0, centerShare = 0, zoneGain = 0;
    double gainL = 0, gainR = 0, gainC = 0, gainLs = 0, gainRs = 0;
    double motionMode = 0, stepDeg = 0, scaleX = 0, scaleY = 0, offsetX = 0, offsetY = 0;
    double motionStarted = 0, lastMovedMode = 0, rotAngle = 0, cruiseAngleX = 0, cruiseAngleY = 0;
    double randFromX = 0, randFromY = 0, randToX = 0, randToY = 0, randFraction = 0, randLength = 0;
    double bowlReady = 0, bowlDirection = 0, bowlRate = 0, bowlTarget = 0, bowlRadius = 0, bowlAngle = 0;
};

class ReferencePanner {
  public:
    explicit ReferencePanner(double sampleRate) : sampleRate_(sampleRate) {}

    // Resume: the init section, then the slider section.
    void resume(const double* sliders) {
        for (int c = 0; c < 2; ++c) {
            RefChannel& ch = ch_[c];
            ch.smoothX = ch.posX = sliders[1 + 2 * c] / 100 * 0.5 + 0.5;
            ch.smoothY = ch.posY = sliders[2 + 2 * c] / 100 * 0.5 + 0.5;
            ch.gainX = ch.gainY = 1000;
        }
        gains(ch_[0], 0.5, 0.5);
        gains(ch_[1], 0.5, 0.5);
        slider(sliders);
    }

    void slider(const double* s) {
        for (int c = 0; c < 2; ++c) {
            // The team's recompute marker is 1000, a value no position has (0 is a corner).
            ch_[c].gainX = ch_[c].gainY = 1000;
            ch_[c].posX = s[1 + 2 * c] / 100 * 0.5 + 0.5;
            ch_[c].posY = s[2 + 2 * c] / 100 * 0.5 + 0.5;
        }
        centerWeight_ = s[5] > 0 ? s[5] + (1 - s[5]) * 0.414 : (s[5] + 1) * 0.414;
        const double z = s[6];
        zoneCenterGain_ = z <= 0 ? std::pow(10.0, z / 20) : 1;
        zoneEdgeGain_ = z > 0 ? std::pow(10.0, -z / 20) : 1;
        zoneOn_ = isZero(z) ? 0 : 1;
        smoothCoef_ = 1 - std::exp(-1 / (s[7] / 1000 * sampleRate_));
        sendCGain_ = std::pow(10.0, s[10] / 20);
        if (!(sendCGain_ > 0.00101)) sendCGain_ = 0;
        sendLfeGain_ = std::pow(10.0, s[11] / 20);
        if (!(sendLfeGain_ > 0.00101)) sendLfeGain_ = 0;
        stereoInput_ = s[12];
        if (isZero(s[12])) {
            if (isZero(monoCleared_)) {
                RefChannel& c2 = ch_[1];
                c2.gainL = c2.gainR = c2.gainC = c2.gainLs = c2.gainRs = 0;
                monoCleared_ = 1;
            }
        } else {
            monoCleared_ = 0;
        }
        outputGain_ = std::pow(10.0, s[13] / 20);
        for (int c = 0; c < 2; ++c) {
            const double* m = s + (c == 0 ? 20 : 26);
            RefChannel& ch = ch_[c];
            ch.motionMode = m[0];
            ch.stepDeg = 360 / (sampleRate_ * (1 / m[1]) * 60);
            if (!std::isfinite(ch.stepDeg)) ch.stepDeg = 0;
            ch.scaleX = m[2];
            ch.scaleY = m[3];
            ch.offsetX = m[4];
            ch.offsetY = m[5];
        }
    }

    void block(bool playing) {
        playState_ = playing ? 1 : 0;
        if (isZero(playState_)) ch_[0].motionStarted = ch_[1].motionStarted = 0;
    }

    void sample(double spl0, double spl1, double* out) {
        const double a = outputGain_ * spl0;
        const double b = outputGain_ * spl1;
        const double monoSum = (a + b) * 0.708;
        RefChannel& c1 = ch_[0];
        RefChannel& c2 = ch_[1];
        const bool two = !isZero(stereoInput_);
        if (two) {
            process(c1, a);
            process(c2, b);
        } else {
            process(c1, monoSum);
        }
        const double s2 = two ? c2.signal : 0;
        out[0] = c1.signal * c1.gainL + s2 * c2.gainL;
        out[1] = c1.signal * c1.gainR + s2 * c2.gainR;
        out[2] = c1.signal * c1.gainC + s2 * c2.gainC + monoSum * sendCGain_ * 0.708;
        out[3] = monoSum * sendLfeGain_ * 0.708;
        out[4] = c1.signal * c1.gainLs + s2 * c2.gainLs;
        out[5] = c1.signal * c1.gainRs + s2 * c2.gainRs;
    }

  private:
    void process(RefChannel& ch, double input) {
        ch.signal = input;
        motion(ch);
        gains(ch, ch.posX, ch.posY);
    }

    void gains(RefChannel& ch, double tx, double ty) {
        double x = tx, y = ty;
        if (smoothCoef_ < 1) {
            ch.smoothX += smoothCoef_ * (tx - ch.smoothX);
            ch.smoothY += smoothCoef_ * (ty - ch.smoothY);
            x = ch.smoothX;
            y = ch.smoothY;
        }
        if (std::fabs(x - ch.gainX) < 0.00001 && std::fabs(y - ch.gainY) < 0.00001) return;
        ch.gainX = x;
        ch.gainY = y;
        const double sx = std::sin(x * kPi / 2);
        const double sy = std::sin(y * kPi / 2);
        const double p = sx * sx;
        const double q = sy * sy;
        ch.sinX = std::sqrt(std::fabs(p));
        ch.sinY = std::sqrt(std::fabs(q));
        ch.cosX = std::sqrt(std::fabs(1 - p));
        ch.cosY = std::sqrt(std::fabs(1 - q));
        ch.centerShare = (1 - std::fabs((p - 0.5) * 2)) * centerWeight_;
        if (isZero(zoneOn_)) {
            ch.zoneGain = 1;
        } else {
            const double d =
                std::sqrt((0.5 - ch.gainX) * (0.5 - ch.gainX) + (0.5 - ch.gainY) * (0.5 - ch.gainY));
            ch.zoneGain = d > 0.5 ? zoneEdgeGain_ : (1 - 2 * d) * zoneCenterGain_ + 2 * d * zoneEdgeGain_;
        }
        ch.gainL = ch.zoneGain * ch.cosX * ch.cosY * (1 - ch.centerShare);
        ch.gainR = ch.sinX * ch.cosY * (1 - ch.centerShare) * ch.zoneGain;
        ch.gainC = ch.centerShare * ch.cosY * ch.zoneGain;
        ch.gainLs = ch.cosX * ch.sinY * ch.zoneGain;
        ch.gainRs = ch.sinX * ch.sinY * ch.zoneGain;
    }

    double draw() { return random_.next(); }

    void motion(RefChannel& ch) {
        if (isZero(playState_)) return;
        // The team's rule for a switch of mode while the transport runs: Randomize then starts its
        // first segment where the channel is.
        const bool switched = !equal(ch.lastMovedMode, ch.motionMode);
        ch.lastMovedMode = ch.motionMode;
        if (isZero(ch.motionMode)) return;
        if (equal(ch.motionMode, 1)) {
            if (isZero(ch.motionStarted)) {
                ch.rotAngle = ch.stepDeg > 0 ? 90 : (ch.stepDeg < 0 ? -90 : 0);
                ch.motionStarted = 1;
            }
            ch.posX = clampUnit((cosDeg(ch.rotAngle) * 0.5 + 0.5) * ch.scaleX + ch.offsetX);
            ch.posY = clampUnit((sinDeg(ch.rotAngle) * 0.5 + 0.5) * ch.scaleY + ch.offsetY);
            ch.rotAngle = wrap(ch.rotAngle + ch.stepDeg);
        } else if (equal(ch.motionMode, 2)) {
            if (isZero(ch.motionStarted)) {
                ch.rotAngle = ch.cruiseAngleY = 0;
                ch.motionStarted = 1;
            }
            const double r1 = draw();
            const double r2 = draw();
            const double jx = (50 - r1 * 100 / 32767) * 0.00001;
            const double jy = (50 - r2 * 200 / 32767) * 0.00002;
            ch.posX = clampUnit((cosDeg(ch.cruiseAngleX) * 0.5 + 0.5) * ch.scaleX + ch.offsetX);
            ch.posY = clampUnit((sinDeg(ch.cruiseAngleY) * 0.5 + 0.5) * ch.scaleY + ch.offsetY);
            ch.cruiseAngleX = wrap(ch.cruiseAngleX + ch.stepDeg + sgn(ch.stepDeg) * jx);
            ch.cruiseAngleY = wrap(ch.cruiseAngleY + ch.stepDeg + sgn(ch.stepDeg) * jy);
        } else if (equal(ch.motionMode, 3)) {
            if (isZero(ch.motionStarted) || switched) {
                ch.randToX = ch.posX;
                ch.randToY = ch.posY;
                ch.motionStarted = 1;
            }
            if (switched) ch.randFraction = 1;
            // The team's rule: a segment of no length counts as finished.
            if (ch.randFraction < 1 && ch.randLength > 0) {
                ch.randFraction += (std::fabs(ch.stepDeg) * 0.009) / (ch.randLength + 0.00001);
            } else {
                ch.randFraction = 0;
                ch.randFromX = ch.randToX;
                ch.randFromY = ch.randToY;
                for (double* v : {&ch.randToX, &ch.randToY}) {
                    const double r = draw();
                    *v = *v < 0.5 ? std::min(1.0, *v + r / 32767) : std::max(0.0, *v - r / 32767);
                }
                ch.randLength = std::sqrt((ch.randFromY - ch.randToY) * (ch.randFromY - ch.randToY) +
                                          (ch.randFromX - ch.randToX) * (ch.randFromX - ch.randToX));
            }
            const double f = ch.randFraction;
            ch.posX = clampUnit(((1 - f) * ch.randFromX + f * ch.randToX) * ch.scaleX + ch.offsetX);
            ch.posY = clampUnit(((1 - f) * ch.randFromY + f * ch.randToY) * ch.scaleY + ch.offsetY);
        } else if (equal(ch.motionMode, 4)) {
            if (isZero(ch.bowlReady)) {
                ch.bowlReady = 1;
                ch.bowlDirection = 1;
                ch.bowlRate = 44100 / sampleRate_ * 0.1;
            }
            if (draw() / 32767 > 0.99997) {
                if (draw() / 32767 >= 0.98) ch.bowlDirection = -ch.bowlDirection;
                ch.bowlTarget = draw() / 32767 * 0.5 + 0.5;
            }
            ch.bowlRadius += std::fabs(ch.stepDeg) * ch.bowlRate * (ch.bowlTarget - ch.bowlRadius);
            const double inset = (1 - ch.bowlRadius) * 0.5;
            ch.posX = clampUnit((cosDeg(ch.bowlAngle) * 0.5 + 0.5) * ch.scaleX * ch.bowlRadius + inset +
                                ch.offsetX);
            ch.posY = clampUnit((sinDeg(ch.bowlAngle) * 0.5 + 0.5) * ch.scaleY * ch.bowlRadius + inset +
                                ch.offsetY);
            ch.bowlAngle = wrap(ch.bowlAngle + ch.stepDeg * ch.bowlDirection);
        }
    }

    double sampleRate_;
    RandomSource random_;
    RefChannel ch_[2];
    double smoothCoef_ = 0, centerWeight_ = 0, zoneOn_ = 0, zoneCenterGain_ = 0, zoneEdgeGain_ = 0;
    double sendCGain_ = 0, sendLfeGain_ = 0, outputGain_ = 0, stereoInput_ = 0, monoCleared_ = 0;
    double playState_ = 0;
};

// ---------------------------------------------------------------------------------------------------
// The plug-in beside it.

VstTimeInfo transport{};

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&transport);
    return 0;
}

enum Parameter {
    kLeftRight1 = 0,
    kFrontBack1,
    kLeftRight2,
    kFrontBack2,
    kCenter,
    kZone,
    kSmoothing,
    kSendC,
    kSendLfe,
    kInputs,
    kOutput,
    kAnimation1,
    kSpeed1,
    kXScale1,
    kYScale1,
    kXOffset1,
    kYOffset1,
    kAnimation2,
    kSpeed2,
    kXScale2,
    kYScale2,
    kXOffset2,
    kYOffset2,
    kParameters
};

// Animation and speed values as normalised parameters.
float mode(int m) {
    return static_cast<float>(m) / 4.0f;
}
float speed(double rpm) {
    return static_cast<float>((rpm + 60) / 120);
}

class SideBySide {
  public:
    explicit SideBySide(double sampleRate) : reference_(sampleRate) {
        transport.flags = kVstTransportPlaying;
        record_ = createPluginInstance(host, new TQuillEffect());
        record_->dispatcher(record_, effOpen, 0, 0, nullptr, 0);
        record_->dispatcher(record_, effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
        record_->dispatcher(record_, effSetBlockSize, 0, 4096, nullptr, 0);
        record_->dispatcher(record_, effMainsChanged, 0, 1, nullptr, 0);
        reference_.resume(sliderValues().data());
    }
    ~SideBySide() { record_->dispatcher(record_, effClose, 0, 0, nullptr, 0); }

    TQuillEffect& effect() const {
        return *static_cast<TQuillEffect*>(static_cast<CLumo*>(record_->object)->effect);
    }

    // The plug-in's slider values as the plain numbers the reference reads.
    std::array<double, CQuillSliders::kSliderCount> sliderValues() const {
        std::array<double, CQuillSliders::kSliderCount> values{};
        for (int n = 0; n < CQuillSliders::kSliderCount; ++n) values[n] = effect().sliders[n];
        return values;
    }

    // A parameter change; the plug-in runs its slider section only when the value changed.
    void set(int parameter, float value) {
        const uint32_t before = effect().settingsVersion.load();
        record_->setParameter(record_, parameter, value);
        if (effect().settingsVersion.load() != before) reference_.slider(sliderValues().data());
    }
    void setPlaying(bool playing) {
        transport.flags = playing ? kVstTransportPlaying : 0;
        playing_ = playing;
    }

    // One processing call in double precision with the next frames of a two-tone input.
    void block(int frames) {
        std::vector<std::vector<double>> in(6, std::vector<double>(static_cast<size_t>(frames)));
        for (int j = 0; j < frames; ++j, ++frame_) {
            const double t = static_cast<double>(frame_);
            in[0][static_cast<size_t>(j)] = 0.6 * std::sin(t * 0.0123) + 0.2 * std::sin(t * 0.31);
            in[1][static_cast<size_t>(j)] = 0.5 * std::cos(t * 0.0071) - 0.3 * std::sin(t * 0.173);
        }
        std::vector<std::vector<double>> out(6, std::vector<double>(static_cast<size_t>(frames)));
        double* inputs[6];
        double* outputs[6];
        for (int k = 0; k < 6; ++k) {
            inputs[k] = in[static_cast<size_t>(k)].data();
            outputs[k] = out[static_cast<size_t>(k)].data();
        }
        record_->processDoubleReplacing(record_, inputs, outputs, frames);
        reference_.block(playing_);
        for (size_t j = 0; j < static_cast<size_t>(frames); ++j) {
            double expected[6];
            reference_.sample(in[0][j], in[1][j], expected);
            for (size_t k = 0; k < 6; ++k) {
                largest_ = std::max(largest_, std::fabs(expected[k]));
                worst_ = std::max(worst_, std::fabs(out[k][j] - expected[k]));
            }
        }
    }

    // The largest difference from the reference relative to the largest reference output.
    double relativeError() const { return largest_ > 0 ? worst_ / largest_ : worst_; }
    double largest() const { return largest_; }

  private:
    ReferencePanner reference_;
    AEffect* record_ = nullptr;
    bool playing_ = true;
    long frame_ = 0;
    double largest_ = 0, worst_ = 0;
};

// Checks one run and keeps the worst relative difference of the test, which it prints at its end.
class Worst {
  public:
    ~Worst() {
        std::printf("largest difference from the reference, relative to the largest output: %.3g\n", worst_);
    }
    void expectExact(const SideBySide& run, const std::string& what) {
        worst_ = std::max(worst_, run.relativeError());
        EXPECT_GT(run.largest(), 0.01) << what;
        EXPECT_LE(run.relativeError(), kTolerance) << what;
    }

  private:
    double worst_ = 0;
};

const int kBlockSizes[] = {1, 2, 3, 7, 31, 63, 64, 65, 127, 128, 500, 512, 1024, 4096};

}  // namespace

// Every mode on both channels, slow and fast, forwards and backwards, for 30 seconds at 48 kHz, with
// smoothing and without.
TEST(Exactness, LongMotionRunsOfEveryMode) {
    Worst worst;
    struct Case {
        int mode1, mode2;
        double rpm1, rpm2;
        float smoothing;
    };
    const Case cases[] = {{1, 1, 1, -7, 0.1f},  {2, 2, 1, -13, 0.1f}, {3, 3, 5, -60, 0.1f},
                          {4, 4, 1, -60, 0.1f}, {1, 2, 60, 30, 0.0f}, {4, 3, 45, 2, 0.0f}};
    for (const Case& c : cases) {
        SideBySide run(48000);
        run.set(kInputs, 1);
        run.set(kSmoothing, c.smoothing);
        run.set(kAnimation1, mode(c.mode1));
        run.set(kSpeed1, speed(c.rpm1));
        run.set(kAnimation2, mode(c.mode2));
        run.set(kSpeed2, speed(c.rpm2));
        for (int frames = 0; frames < 30 * 48000; frames += 512) run.block(512);
        worst.expectExact(run, "modes " + std::to_string(c.mode1) + "/" + std::to_string(c.mode2));
    }
}

// Random settings, changed between blocks of random size: positions, centre, zone, smoothing, sends,
// inputs, output, modes, speeds, scales and offsets, and the transport stopping and starting.
TEST(Exactness, RandomSettingsAndChangesBetweenBlocks) {
    Worst worst;
    std::mt19937 rng(20261209);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> pickSize(0, static_cast<int>(std::size(kBlockSizes)) - 1);
    std::uniform_int_distribution<int> pickParameter(0, kParameters - 1);
    const double rates[] = {44100, 48000, 96000, 22050};
    for (int c = 0; c < 48; ++c) {
        SideBySide run(rates[c % 4]);
        for (int p = 0; p < kParameters; ++p) {
            // Positions anywhere, whole-step modes, and the rest anywhere in their range.
            if (p == kAnimation1 || p == kAnimation2) {
                run.set(p, mode(static_cast<int>(unit(rng) * 5) % 5));
            } else if (p == kInputs) {
                run.set(p, unit(rng) < 0.7f ? 1.0f : 0.0f);
            } else {
                run.set(p, unit(rng));
            }
        }
        for (int b = 0; b < 200; ++b) {
            run.block(kBlockSizes[pickSize(rng)]);
            const float dice = unit(rng);
            if (dice < 0.15f) run.set(pickParameter(rng), unit(rng));
            if (dice > 0.97f) run.setPlaying(false);
            if (dice > 0.90f && dice < 0.93f) run.setPlaying(true);
        }
        worst.expectExact(run, "random case " + std::to_string(c));
    }
}

// The edges of the field and the middle, where the square roots of the law lose the most, with the
// zone on at both signs and every centre influence.
TEST(Exactness, StaticPositionsAcrossTheField) {
    Worst worst;
    const float places[] = {0.0f, 0.00001f, 0.25f, 0.5f, 0.75f, 0.99999f, 1.0f};
    for (float x : places) {
        for (float y : places) {
            for (float zone : {0.5f, 0.25f, 1.0f}) {
                SideBySide run(44100);
                run.set(kSmoothing, 0);
                run.set(kCenter, 1 - x);
                run.set(kZone, zone);
                run.set(kLeftRight1, x);
                run.set(kFrontBack1, y);
                run.set(kSendC, 0.8f);
                run.block(300);
                worst.expectExact(run, "position " + std::to_string(x) + ", " + std::to_string(y));
            }
        }
    }
}
