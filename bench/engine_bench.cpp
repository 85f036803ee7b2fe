// Cost of processing: nanoseconds per frame for 6-channel blocks of 512 frames through the plug-in's
// processReplacing, next to two baselines: a 6-channel copy (the memory limit) and a plain loop panning
// two inputs into six outputs with fixed gains (the arithmetic limit of this job).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/RatioReporter.h"
#include "plugin/sdk/aeffect.h"
#include "plugin/vst/PluginFactory.h"

namespace {

constexpr int kFrames = 512;
constexpr int kChannels = 6;

VstTimeInfo playing{};

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&playing);
    return 0;
}

struct Block {
    Block() : in(kChannels, std::vector<float>(kFrames)), out(kChannels, std::vector<float>(kFrames)) {
        for (int j = 0; j < kFrames; ++j) {
            in[0][j] = 0.5f * static_cast<float>((j % 100) - 50) / 50.0f;
            in[1][j] = 0.25f * static_cast<float>((j % 77) - 38) / 38.0f;
        }
        for (int k = 0; k < kChannels; ++k) {
            inPtr[k] = in[k].data();
            outPtr[k] = out[k].data();
        }
    }
    std::vector<std::vector<float>> in, out;
    float* inPtr[kChannels];
    float* outPtr[kChannels];
};

void setFramesPerSecond(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFrames);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ns_per_frame"].value *= 1;
}

AEffect* makeInstance(std::initializer_list<std::pair<int, float>> settings) {
    playing.flags = kVstTransportPlaying;
    AEffect* e = createOrbitoneInstance(host);
    for (const auto& s : settings) e->setParameter(e, s.first, s.second);
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    e->dispatcher(e, effSetBlockSize, 0, kFrames, nullptr, 0);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0);
    return e;
}

void runPlugin(benchmark::State& state, AEffect* e, bool glide) {
    Block block;
    bool left = false;
    for (auto _ : state) {
        // A new far target every block keeps the smoothing and the gain law busy.
        if (glide) e->setParameter(e, 0, (left = !left) ? 0.0f : 1.0f);
        e->processReplacing(e, block.inPtr, block.outPtr, kFrames);
        benchmark::ClobberMemory();
    }
    setFramesPerSecond(state);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}

void BM_Copy6(benchmark::State& state) {
    Block block;
    for (auto _ : state) {
        for (int k = 0; k < kChannels; ++k) {
            const float* in = block.inPtr[k];
            float* out = block.outPtr[k];
            for (int j = 0; j < kFrames; ++j) out[j] = in[j];
        }
        benchmark::ClobberMemory();
    }
    setFramesPerSecond(state);
}

void BM_FixedGainPan(benchmark::State& state) {
    Block block;
    const double g1[kChannels] = {0.29, 0.29, 0.29, 0.0, 0.5, 0.5};
    const double g2[kChannels] = {0.1, 0.7, 0.2, 0.0, 0.3, 0.6};
    for (auto _ : state) {
        for (int j = 0; j < kFrames; ++j) {
            const double a = block.inPtr[0][j];
            const double b = block.inPtr[1][j];
            for (int k = 0; k < kChannels; ++k)
                block.outPtr[k][j] = static_cast<float>(a * g1[k] + b * g2[k]);
        }
        benchmark::ClobberMemory();
    }
    setFramesPerSecond(state);
}

void BM_StaticPosition(benchmark::State& state) {
    runPlugin(state, makeInstance({}), false);
}
void BM_SmoothingGlide(benchmark::State& state) {
    runPlugin(state, makeInstance({{6, 1.0f}}), true);
}

void BM_Motion(benchmark::State& state) {
    const float mode = static_cast<float>(state.range(0)) / 4.0f;
    runPlugin(state, makeInstance({{9, 1.0f}, {11, mode}, {17, mode}}), false);
}

BENCHMARK(BM_Copy6);
BENCHMARK(BM_FixedGainPan);
BENCHMARK(BM_StaticPosition);
BENCHMARK(BM_SmoothingGlide);
BENCHMARK(BM_Motion)->ArgName("mode")->DenseRange(1, 4);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Each case's nanoseconds per frame against the fixed-gain loop's.
    RatioReporter reporter("BM_FixedGainPan", "ns/frame", [](const benchmark::BenchmarkReporter::Run& run) {
        const auto counter = run.counters.find("ns_per_frame");
        return counter == run.counters.end() ? -1.0 : counter->second.value * 1e9;
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
