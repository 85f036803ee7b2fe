#include "tests/display/PanelFixture.h"

#include <algorithm>
#include <cstdlib>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "plugin/vst/PluginFactory.h"

namespace {

std::vector<int32_t> automated;
std::vector<float> automatedValues;

intptr_t recordingHost(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float value) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterAutomate) {
        automated.push_back(index);
        automatedValues.push_back(value);
    }
    return 0;
}

}  // namespace

::testing::AssertionResult colorNear(const VSTGUI::CColor& a, const VSTGUI::CColor& e) {
    const auto close = [](int x, int y) { return std::abs(x - y) <= 1; };
    if (close(a.red, e.red) && close(a.green, e.green) && close(a.blue, e.blue) && close(a.alpha, e.alpha))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << int(a.red) << ", " << int(a.green) << ", " << int(a.blue) << ", " << int(a.alpha)
           << "), expected (" << int(e.red) << ", " << int(e.green) << ", " << int(e.blue) << ", "
           << int(e.alpha) << ")";
}

void PanelFixture::SetUp() {
    automated.clear();
    automatedValues.clear();
    record = createOrbitoneInstance(recordingHost);
    ASSERT_NE(record, nullptr);
    adapter = static_cast<CLumo*>(static_cast<AudioEffect*>(record->object));
    fx = static_cast<TQuillEffect*>(adapter->effect);
    record->dispatcher(record, effOpen, 0, 0, nullptr, 0);
    record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0);
}

void PanelFixture::TearDown() {
    if (context != nullptr) context->forget();
    context = nullptr;
    if (record != nullptr) {
        record->dispatcher(record, effClose, 0, 0, nullptr, 0);
    }
}

void PanelFixture::frame(double x, double y, double flags) {
    fx->mouseX = x;
    fx->mouseY = y;
    fx->mouseFlags = flags;
    paint([this] { fx->DoGfx(); });
}

void PanelFixture::paint(const std::function<void()>& draw) {
    if (context != nullptr) context->forget();
    context = new VSTGUI::COffscreenContext(nullptr, 1130, 540);
    adapter->currentContext = context;
    draw();
    adapter->currentContext = nullptr;
}

void PanelFixture::withoutArtwork() {
    fx->constStrings.clear();
}

VSTGUI::CColor PanelFixture::pixel(int x, int y) const {
    VSTGUI::CColor color{0, 0, 0, 0};
    if (context != nullptr) context->getBitmap()->readPixel(x, y, color);
    return color;
}

int PanelFixture::inkCount(int x0, int y0, int x1, int y1) const {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += pixel(x, y).alpha > 0 ? 1 : 0;
    return count;
}

int PanelFixture::maxAlpha(int x0, int y0, int x1, int y1) const {
    int highest = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) highest = std::max(highest, static_cast<int>(pixel(x, y).alpha));
    return highest;
}

int PanelFixture::alphaSum(int x0, int y0, int x1, int y1) const {
    int sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) sum += pixel(x, y).alpha;
    return sum;
}

void PanelFixture::setSlider(int number, double value) {
    fx->sliders[number] = value;
    fx->DoSlider();
}

std::vector<int32_t> PanelFixture::automatedIndices() const {
    return automated;
}

std::vector<float> PanelFixture::automationValues() const {
    return automatedValues;
}

void PanelFixture::clearAutomation() {
    automated.clear();
    automatedValues.clear();
}
