#include "effect/QuillEffect.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "OrbitoneVersion.h"

#include "effect/PanelGeometry.h"
#include "effect/PanningEngine.h"
#include "plugin/boundary/FourCharId.h"
#include "plugin/boundary/ReverseFunctions.h"
#include "runtime/ScriptNumbers.h"

using quill::isZero;

namespace {

constexpr int kStateSliders = 64;
constexpr int kChannels = 6;
// The panel's Speed controls reach twice the parameter range (rotations per minute either way).
constexpr double kPanelSpeedLimit = 120;
constexpr int kSpeedSliders[] = {21, 27};

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// Position slider (-100..100) to the unit square.
double sliderToPosition(double slider) {
    return slider / 100 * 0.5 + 0.5;
}

const char* const kAnimationItems[] = {"Manual (off)", "Rotate", "Cruise", "Randomize", "Fish Bowl"};

}  // namespace

TQuillEffect::TQuillEffect() {
    effectName = "Orbitone";
    productString = ORBITONE_PRODUCT_STRING;
    programName = ORBITONE_PRODUCT_STRING;
    vendorString = "Velmora";
    vendorVersion = ORBITONE_VENDOR_VERSION;
    uniqueId = fourCharId('O', 'b', '2', '1');
    channelCount = kChannels;
    editorWidth = panel_layout::kWidth;
    editorHeight = panel_layout::kHeight;
    declareSliders();
}

TQuillEffect::~TQuillEffect() {
    AttachPanel(nullptr);
}

void TQuillEffect::AttachPanel(std::unique_ptr<IEffectPanel> panel) {
    if (panel_ != nullptr) panel_->detach(*this);
    panel_ = std::move(panel);
    if (panel_ != nullptr) panel_->attach(*this);
}

void TQuillEffect::declareSliders() {
    auto plain = [this](int number, const char* name, double minimum, double maximum, double step,
                        double defaultValue) {
        return AddSlider(number, nullptr, defaultValue, minimum, maximum, step, "", "", "", name);
    };
    auto animation = [&](int number) {
        const int index = plain(number, "Animation", 0, 4, 1, 0);
        for (const char* item : kAnimationItems)
            sliderRecords[static_cast<size_t>(index)].texts.push_back(item);
    };
    plain(1, "Left - Right CH1", -100, 100, 0.01, 0);
    plain(2, "Front - Back CH1", -100, 100, 0.01, 0);
    plain(3, "Left - Right CH2", -100, 100, 0.01, 0);
    plain(4, "Front - Back CH2", -100, 100, 0.01, 0);
    plain(5, "Center Channel Influence", -1, 1, 0.01, 0);
    plain(6, "Center/Edge Zone Influence [dB]", -60, 60, 1, 0);
    plain(7, "Smoothing Time [ms]", 0, 1000, 10, 100);
    plain(10, "Send To C [dB]", -60, 10, 0.1, -60);
    plain(11, "Send To LFE [dB]", -60, 10, 0.1, -60);
    const int inputs = plain(12, "Input Channels", 0, 1, 1, 0);
    sliderRecords[static_cast<size_t>(inputs)].texts = {"1", "2"};
    plain(13, "Output [dB]", -20, 20, 0.1, 0);
    for (int first : {20, 26}) {
        animation(first);
        plain(first + 1, "Speed", -60, 60, 1, 1);
        plain(first + 2, "X Scale", 0, 1, 0.01, 1);
        plain(first + 3, "Y Scale", 0, 1, 0.01, 1);
        plain(first + 4, "X Offset", -1, 1, 0.01, 0);
        plain(first + 5, "Y Offset", -1, 1, 0.01, 0);
    }
}

void TQuillEffect::DoOpen() {
    TQuill::DoOpen();
    var = EffectVariables{};
    if (panel_ != nullptr) panel_->open(*this);
}

void TQuillEffect::readHostValuesForInit() {
    host.sampleRate = finiteOrZero(adapterGetSampleRate(adapter));
    host.channels = finiteOrZero(adapterGetNumInputs(adapter));
    host.samplesPerBlock = finiteOrZero(adapterGetBlockSize(adapter));
    host.tempo = finiteOrZero(adapterGetTempo(adapter));
}

void TQuillEffect::DoInit() {
    gfxRate = 30;
    gfxR = gfxG = gfxB = 0;
    gfxA = 1;
    readHostValuesForInit();
    var.buildTextId = 10000;
    var.radarLeft = panel_layout::kRadar.x;
    var.radarTop = panel_layout::kRadar.y;
    var.radarWidth = panel_layout::kRadar.w;
    var.radarHeight = panel_layout::kRadar.h;
    var.radarRight = panel_layout::kRadar.x + panel_layout::kRadar.w;
    var.radarBottom = panel_layout::kRadar.y + panel_layout::kRadar.h;
    StartChannelsAtSliders();
    initSections.fetch_add(1, std::memory_order_release);
}

void TQuillEffect::StartChannelsAtSliders() {
    for (int c = 0; c < 2; ++c) {
        PanChannel& ch = var.ch[c];
        ch.smoothX = ch.posX = sliderToPosition(sliders[1 + 2 * c]);
        ch.smoothY = ch.posY = sliderToPosition(sliders[2 + 2 * c]);
        ch.gainX = ch.gainY = kForceGainRecompute;
        showTargetUntilProcessed(ch);
    }
    computeGains(var, var.ch[0], 0.5, 0.5);
    computeGains(var, var.ch[1], 0.5, 0.5);
}

void TQuillEffect::DoSlider() {
    for (int number = 1; number < EffectVariables::kSliderViews; ++number)
        var.sliderView[number] = sliders[number];
    DeriveFromSliders();
}

void TQuillEffect::SetTargetsFromSliders() {
    for (int c = 0; c < 2; ++c) {
        PanChannel& ch = var.ch[c];
        // Forced with a value no position can have: 0 is the front-left corner.
        ch.gainX = ch.gainY = kForceGainRecompute;
        ch.posX = sliderToPosition(sliders[1 + 2 * c]);
        ch.posY = sliderToPosition(sliders[2 + 2 * c]);
        showTargetUntilProcessed(ch);
    }
}

void TQuillEffect::DeriveFromSliders() {
    SetTargetsFromSliders();

    const double s = sliders[5];
    var.centerWeight = s > 0 ? s + (1 - s) * 0.414 : (s + 1) * 0.414;

    const double z = sliders[6];
    var.zoneCenterGain = z <= 0 ? std::pow(10.0, z / 20) : 1;
    var.zoneEdgeGain = z > 0 ? std::pow(10.0, -z / 20) : 1;
    var.zoneOn = isZero(z) ? 0 : 1;

    var.smoothCoef = 1 - std::exp(-1 / (sliders[7] / 1000 * host.sampleRate));

    var.sendCGain = std::pow(10.0, sliders[10] / 20);
    if (!(var.sendCGain > 0.00101)) var.sendCGain = 0;
    var.sendLfeGain = std::pow(10.0, sliders[11] / 20);
    if (!(var.sendLfeGain > 0.00101)) var.sendLfeGain = 0;

    var.stereoInput = sliders[12];
    if (isZero(sliders[12])) {
        if (isZero(var.monoCleared)) {
            var.sliderView[3] = var.sliderView[4] = 0;
            PanChannel& ch2 = var.ch[1];
            ch2.gainL = ch2.gainR = ch2.gainC = ch2.gainLs = ch2.gainRs = 0;
            var.monoCleared = 1;
        }
    } else {
        var.monoCleared = 0;
    }

    var.outputGain = std::pow(10.0, sliders[13] / 20);

    deriveChannel(var.ch[0], 20);
    deriveChannel(var.ch[1], 26);
    if (!isZero(var.ch[0].motionMode)) deriveAnimationBox(var.ch[0]);
    if (!isZero(var.stereoInput) && !isZero(var.ch[1].motionMode)) deriveAnimationBox(var.ch[1]);
    settingsVersion.fetch_add(1, std::memory_order_release);
}

void TQuillEffect::deriveChannel(PanChannel& ch, int first) {
    ch.motionMode = sliders[first];
    // 1 / 0 is infinite, so a speed of 0 gives a step of exactly 0.
    ch.stepDeg = 360 / (host.sampleRate * (1 / sliders[first + 1]) * 60);
    if (!std::isfinite(ch.stepDeg)) ch.stepDeg = 0;
    ch.scaleX = sliders[first + 2];
    ch.scaleY = sliders[first + 3];
    ch.offsetX = sliders[first + 4];
    ch.offsetY = sliders[first + 5];
}

void TQuillEffect::deriveAnimationBox(PanChannel& ch) {
    const bool defaults = quill::nearlyEqual(ch.scaleX, 1) && quill::nearlyEqual(ch.scaleY, 1) &&
                          isZero(ch.offsetX) && isZero(ch.offsetY);
    if (defaults) return;
    const double left = var.radarLeft, top = var.radarTop, right = var.radarRight, bottom = var.radarBottom;
    ch.animBox[0] = std::max(left, left + ch.offsetX * var.radarWidth);
    ch.animBox[1] = std::max(top, top + ch.offsetY * var.radarHeight);
    ch.animBox[2] = std::max(left, std::min(right, left + (ch.offsetX + ch.scaleX) * var.radarWidth));
    ch.animBox[3] = std::max(top, std::min(bottom, top + (ch.offsetY + ch.scaleY) * var.radarHeight));
}

void TQuillEffect::DoBlock() {
    blockSection(*this);
}

void TQuillEffect::DoSample() {
    sampleSection(*this);
}

bool TQuillEffect::DoSampleBlock(float* const* inputs, float* const* outputs, int32_t frames,
                                 int32_t channels) {
    // Other channel counts, which this effect never declares, go frame by frame through spl.
    if (channels != kChannels) return false;
    sampleSectionBlock(*this, inputs[0], inputs[1], outputs, frames);
    return true;
}

bool TQuillEffect::DoSampleBlock(double* const* inputs, double* const* outputs, int32_t frames,
                                 int32_t channels) {
    if (channels != kChannels) return false;
    sampleSectionBlock(*this, inputs[0], inputs[1], outputs, frames);
    return true;
}

void TQuillEffect::DoGfx() {
    if (panel_ != nullptr) panel_->draw(*this);
}

bool TQuillEffect::SliderHeldRange(int32_t number, double& low, double& high) const {
    if (!TQuill::SliderHeldRange(number, low, high)) return false;
    // Saved projects hold what these controls set, so the host must be able to set it too.
    for (const int speed : kSpeedSliders) {
        if (number != speed) continue;
        low = -kPanelSpeedLimit;
        high = kPanelSpeedLimit;
    }
    return true;
}

// A stored value the panel or the host could have produced comes back as stored; anything else is
// brought to the nearest such value, and what is not a number is skipped.
double TQuillEffect::restoredSliderValue(int number, double stored, double current) const {
    if (!std::isfinite(stored)) return current;
    double low = 0, high = 0;
    if (!SliderHeldRange(number, low, high)) return stored;
    return std::min(high, std::max(low, stored));
}

void TQuillEffect::DoSerialize() {
    FileRecord& state = files[0];
    for (int number = 1; number <= kStateSliders; ++number) {
        double value = sliders[number];
        FileValue(state, value);
        if (state.mode == FileRecord::kReading)
            sliders[number] = restoredSliderValue(number, value, sliders[number]);
    }
}
