// Cost of drawing the panel onto a 1130 x 540 offscreen context, next to the baseline of any full
// repaint: one copy of the background image (BM_Background). The panel cases draw the effect's own
// panel through its graphics section, as the editor does 30 times a second: moving (two inputs
// circling with their sliders following, meters changing), still, and moving without the frame
// cache. BM_PrimitivesFrame draws a frame's worth of toolkit calls directly (24 images, 48 lines,
// 48 texts, 8 bars, 6 circles).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "bench/RatioReporter.h"
#include "display/PanelDisplay.h"
#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/COffscreenContext.h"
#include "effect/QuillEffect.h"
#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"

using namespace VSTGUI;

namespace {

constexpr int kWidth = 1130;
constexpr int kHeight = 540;

intptr_t quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class PanelInstance {
  public:
    explicit PanelInstance(bool cached) {
        record_ = createOrbitoneInstance(quietHost);
        record_->dispatcher(record_, effOpen, 0, 0, nullptr, 0);
        record_->dispatcher(record_, effMainsChanged, 0, 1, nullptr, 0);
        adapter_ = static_cast<CLumo*>(static_cast<AudioEffect*>(record_->object));
        fx_ = static_cast<TQuillEffect*>(adapter_->effect);
        panelOf(*fx_).cache.setEnabled(cached);
        // Two inputs, Rotate on the first and Cruise on the second: every control, both channels'
        // dots and trails, and the position sliders following the motion.
        setSlider(12, 1);
        setSlider(20, 1);
        setSlider(26, 2);
        context_ = new COffscreenContext(nullptr, kWidth, kHeight);
        adapter_->currentContext = context_;
    }
    ~PanelInstance() {
        adapter_->currentContext = nullptr;
        context_->forget();
        record_->dispatcher(record_, effClose, 0, 0, nullptr, 0);
    }

    // What the audio side would have published by frame n: 6 rpm at 30 frames a second.
    void move(int n) {
        const double a = n * 0.0209;
        fx_->var.ch[0].shownX = 0.5 + 0.5 * std::cos(a);
        fx_->var.ch[0].shownY = 0.5 + 0.5 * std::sin(a);
        fx_->var.ch[1].shownX = 0.5 + 0.5 * std::cos(1.01 * a);
        fx_->var.ch[1].shownY = 0.5 + 0.5 * std::sin(0.99 * a + 1);
        fx_->var.inPeakL = 0.4 + 0.3 * std::sin(0.7 * n);
        fx_->var.inPeakR = 0.4 + 0.3 * std::cos(0.5 * n);
        for (int k = 0; k < 6; ++k) fx_->var.outPeak[k] = 0.3 + 0.2 * std::sin(0.3 * n + k);
    }
    void draw() { fx_->DoGfx(); }
    const PanelFrameCache& cache() const { return panelOf(*fx_).cache; }

  private:
    void setSlider(int number, double value) {
        fx_->sliders[number] = value;
        fx_->DoSlider();
    }

    AEffect* record_ = nullptr;
    CLumo* adapter_ = nullptr;
    TQuillEffect* fx_ = nullptr;
    COffscreenContext* context_ = nullptr;
};

void BM_PanelFrame(benchmark::State& state) {
    const bool moving = state.range(0) != 0;
    PanelInstance panel(true);
    int n = 0;
    double repainted = 0;
    for (auto _ : state) {
        if (moving) panel.move(++n);
        panel.draw();
        repainted += static_cast<double>(panel.cache().lastRepaintArea());
    }
    state.SetItemsProcessed(state.iterations());
    // The share of the panel's pixels a frame drew again.
    state.counters["repainted"] = repainted / static_cast<double>(state.iterations()) / (kWidth * kHeight);
}
BENCHMARK(BM_PanelFrame)->ArgName("moving")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_PanelFrameUncached(benchmark::State& state) {
    PanelInstance panel(false);
    int n = 0;
    for (auto _ : state) {
        panel.move(++n);
        panel.draw();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PanelFrameUncached)->Unit(benchmark::kMillisecond);

void drawPrimitives(COffscreenContext& ctx, CBitmap& background, CBitmap& radar, CBitmap& knob,
                    CFontDesc* font, int frame) {
    background.draw(&ctx, CRect(0, 0, kWidth, kHeight));
    radar.draw(&ctx, CRect(20, 20, 520, 520));
    for (int i = 0; i < 22; ++i) {
        const double x = 771 + (i * 37 + frame) % 250;
        const double y = 101 + 20 * (i % 20);
        knob.draw(&ctx, CRect(x, y, x + 32, y + 15));
    }
    ctx.setDrawMode(kAntialias);
    for (int i = 0; i < 48; ++i) {
        ctx.setFrameColor(CColor{0, 230, 0, static_cast<uint8_t>(255 - 5 * (i % 20))});
        ctx.moveTo(CPoint(100 + 6 * i, 200 + (i * 13 + frame) % 100));
        ctx.lineTo(CPoint(106 + 6 * i, 205 + (i * 17 + frame) % 100));
    }
    ctx.setFont(font, 11, 0);
    char text[32];
    for (int i = 0; i < 48; ++i) {
        std::snprintf(text, sizeof text, "%.2fdB", -60.0 + i + frame % 7);
        ctx.setFontColor(CColor{204, 204, 204, 255});
        const double y = 100 + 9 * i;
        ctx.drawString(text, CRect(1055, y, 1055 + ctx.getStringWidth(text), y + 16), kLeftText, true);
    }
    ctx.setDrawMode(kCopyMode);
    for (int i = 0; i < 8; ++i) {
        ctx.setFillColor(CColor{0, 230, 230, 204});
        ctx.drawRect(CRect(537 + 6 * i, 100 + (frame * 7 + i * 40) % 400, 541 + 6 * i, 530), kDrawFilled);
    }
    ctx.setDrawMode(kAntialias);
    for (int i = 0; i < 6; ++i) {
        ctx.setFillColor(CColor{255, 128, 0, 255});
        const double cx = 150 + 50 * i, cy = 270;
        ctx.drawEllipse(CRect(cx - 8, cy - 8, cx + 9, cy + 9), i % 2 ? kDrawFilled : kDrawStroked);
    }
}

void BM_PrimitivesFrame(benchmark::State& state) {
    COffscreenContext ctx(nullptr, kWidth, kHeight);
    CBitmap background(CResourceDescription(1));
    CBitmap radar(CResourceDescription(0));
    CBitmap knob(CResourceDescription(2));
    CFontDesc* font = new CFontDesc("Arial", 0, 0);
    int frame = 0;
    for (auto _ : state) drawPrimitives(ctx, background, radar, knob, font, ++frame);
    font->forget();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrimitivesFrame)->Unit(benchmark::kMillisecond);

// The baseline: one copy of the background image onto the context, the memory traffic of any full
// repaint.
void BM_Background(benchmark::State& state) {
    COffscreenContext ctx(nullptr, kWidth, kHeight);
    CBitmap background(CResourceDescription(1));
    for (auto _ : state) background.draw(&ctx, CRect(0, 0, kWidth, kHeight));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Background)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Processor time per frame against one copy of the background.
    RatioReporter reporter("BM_Background", "ms (cpu)", [](const benchmark::BenchmarkReporter::Run& run) {
        return run.GetAdjustedCPUTime();
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
