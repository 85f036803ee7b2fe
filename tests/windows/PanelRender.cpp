#include "tests/windows/PanelRender.h"

#include <cstdlib>
#include <string>

#include "editor/vstgui/CBitmap.h"
#include "display/PanelDisplay.h"
#include "editor/vstgui/COffscreenContext.h"
#include "plugin/vst/PluginFactory.h"

namespace {
intptr_t VSTCALLBACK quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}
}  // namespace

PanelRender::PanelRender() {
    record_ = createOrbitoneInstance(quietHost);
    if (!record_) return;
    adapter_ = static_cast<CLumo*>(static_cast<AudioEffect*>(record_->object));
    fx_ = static_cast<TQuillEffect*>(adapter_->effect);
    record_->dispatcher(record_, effOpen, 0, 0, nullptr, 0);
    record_->dispatcher(record_, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    record_->dispatcher(record_, effMainsChanged, 0, 1, nullptr, 0);
}

PanelRender::~PanelRender() {
    if (context_) context_->forget();
    if (record_) record_->dispatcher(record_, effClose, 0, 0, nullptr, 0);
}

void PanelRender::frame(double x, double y, double flags) {
    fx_->mouseX = x;
    fx_->mouseY = y;
    fx_->mouseFlags = flags;
    if (context_) context_->forget();
    context_ = new VSTGUI::COffscreenContext(nullptr, 1130, 540);
    adapter_->currentContext = context_;
    fx_->DoGfx();
    adapter_->currentContext = nullptr;
}

void PanelRender::setSlider(int number, double value) {
    fx_->sliders[number] = value;
    fx_->DoSlider();
}

void PanelRender::withoutArtwork() {
    fx_->constStrings.clear();
}

void PanelRender::useFrameCache(bool on) {
    panelOf(*fx_).cache.setEnabled(on);
}

std::string PanelRender::firstDifference(const PanelRender& other) const {
    for (int y = 0; y < 540; ++y) {
        for (int x = 0; x < 1130; ++x) {
            const VSTGUI::CColor a = pixel(x, y);
            const VSTGUI::CColor b = other.pixel(x, y);
            if (a != b)
                return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + describe(a) + " vs " +
                       describe(b);
        }
    }
    return "";
}

VSTGUI::CColor PanelRender::pixel(int x, int y) const {
    VSTGUI::CColor color{0, 0, 0, 0};
    if (context_) context_->getBitmap()->readPixel(x, y, color);
    return color;
}

bool colorNear(const VSTGUI::CColor& a, const VSTGUI::CColor& b) {
    auto close = [](int x, int y) { return std::abs(x - y) <= 1; };
    return close(a.red, b.red) && close(a.green, b.green) && close(a.blue, b.blue) && close(a.alpha, b.alpha);
}

std::string describe(const VSTGUI::CColor& c) {
    return "(" + std::to_string(c.red) + ", " + std::to_string(c.green) + ", " + std::to_string(c.blue) +
           ", " + std::to_string(c.alpha) + ")";
}
