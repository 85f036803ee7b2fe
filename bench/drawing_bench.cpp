// One full-panel frame's worth of drawing onto a 1130 x 540 offscreen context: 24 image draws,
// 48 lines, 48 texts, 8 bars and 6 circles, with the colour and font changes a frame makes.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/COffscreenContext.h"

using namespace VSTGUI;

namespace {

void drawPanelFrame(COffscreenContext& ctx, CBitmap& background, CBitmap& radar, CBitmap& knob,
                    CFontDesc* font, int frame) {
    background.draw(&ctx, CRect(0, 0, 1130, 540));
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

void BM_FullPanelFrame(benchmark::State& state) {
    COffscreenContext ctx(nullptr, 1130, 540);
    CBitmap background(CResourceDescription(1));
    CBitmap radar(CResourceDescription(0));
    CBitmap knob(CResourceDescription(2));
    CFontDesc* font = new CFontDesc("Arial", 0, 0);
    int frame = 0;
    for (auto _ : state) drawPanelFrame(ctx, background, radar, knob, font, ++frame);
    font->forget();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullPanelFrame)->Unit(benchmark::kMillisecond);

// The baseline: one copy of the 1130 x 540 background image onto the context, the memory traffic of
// any full repaint.
void BM_Background(benchmark::State& state) {
    COffscreenContext ctx(nullptr, 1130, 540);
    CBitmap background(CResourceDescription(1));
    for (auto _ : state) background.draw(&ctx, CRect(0, 0, 1130, 540));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Background)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
