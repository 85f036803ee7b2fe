// One frame of the effect's panel (radar, 23 controls, meters, texts) painted onto a 1130 x 540
// offscreen context through the graphics section, as the editor does 30 times a second.
#include <benchmark/benchmark.h>

#include "editor/vstgui/COffscreenContext.h"
#include "effect/QuillEffect.h"
#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"

namespace {

intptr_t quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void BM_PanelFrame(benchmark::State& state) {
    AEffect* record = createOrbitoneInstance(quietHost);
    record->dispatcher(record, effOpen, 0, 0, nullptr, 0);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0);
    auto* adapter = static_cast<CLumo*>(static_cast<AudioEffect*>(record->object));
    auto* effect = static_cast<TQuillEffect*>(adapter->effect);
    // Two inputs, so that every control and both channels' dots and trails are drawn.
    record->setParameter(record, 9, 1.0f);
    auto* context = new VSTGUI::COffscreenContext(nullptr, 1130, 540);
    adapter->currentContext = context;
    double step = 0;
    for (auto _ : state) {
        step += 0.003;
        effect->var.ch[0].shownX = effect->var.ch[1].shownY = 0.5 + 0.4 * (step - static_cast<int>(step));
        effect->var.inPeakL = effect->var.outPeak[2] = 0.5;
        effect->DoGfx();
    }
    adapter->currentContext = nullptr;
    context->forget();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0);
}

}  // namespace

BENCHMARK(BM_PanelFrame)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
