// Cost of processing next to free peers doing the same job, all loaded from their modules with dlopen
// and driven as a host drives them: 512-frame processReplacing calls at 48 kHz, transport playing, a
// signal on the first two inputs. Orbitone pans two inputs into 5.1 (static, and every motion mode with
// both channels moving at the default speed); the peers' chain is the IEM suite's stereo encoder into
// its simple decoder, at their defaults, which is the baseline of the ratio column; Ping Pong Pan is a
// plain two-channel panner. A peer that is not installed is reported and left out.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/RatioReporter.h"
#include "tools/render/HostContext.h"
#include "tools/render/PluginInstance.h"
#include "tools/render/PluginModule.h"
#include "tools/render/RenderError.h"

namespace {

constexpr int kFrames = 512;
constexpr double kSampleRate = 48000;

const char* const kStereoEncoder = "/usr/lib/vst/iem.at/libStereoEncoder.so";
const char* const kSimpleDecoder = "/usr/lib/vst/iem.at/libSimpleDecoder.so";
const char* const kPingPongPan = "/usr/lib/vst/PingPongPan-vst.so";

// Host buffers for one instance: as many channels as it has inputs or outputs, a signal on the first
// two inputs.
class Buffers {
  public:
    explicit Buffers(int channels) : data_(std::max(channels, 2), std::vector<float>(kFrames)) {
        for (int j = 0; j < kFrames; ++j) {
            data_[0][j] = 0.5f * static_cast<float>((j % 100) - 50) / 50.0f;
            data_[1][j] = 0.25f * static_cast<float>((j % 77) - 38) / 38.0f;
        }
        for (auto& channel : data_) pointers_.push_back(channel.data());
    }
    float** pointers() { return pointers_.data(); }

  private:
    std::vector<std::vector<float>> data_;
    std::vector<float*> pointers_;
};

// An instance with its host and buffers, running.
struct Peer {
    Peer(const render::PluginModule& module, const std::vector<std::pair<int, float>>& settings) {
        host.setSampleRate(kSampleRate);
        host.setBlockSize(kFrames);
        instance = std::make_unique<render::PluginInstance>(module, host);
        for (const auto& s : settings) instance->setParameter(s.first, s.second);
        instance->configure(kSampleRate, kFrames);
        instance->resume();
        const int channels = std::max(instance->numInputs(), instance->numOutputs());
        in = std::make_unique<Buffers>(channels);
        out = std::make_unique<Buffers>(channels);
    }
    void process(float** inputs) {
        instance->processReplacing(inputs, out->pointers(), kFrames);
        host.transport().advance(kFrames);
    }

    render::HostContext host;
    std::unique_ptr<render::PluginInstance> instance;
    std::unique_ptr<Buffers> in, out;
};

// The modules stay loaded until the program ends: some start threads of their own that may outlive
// their last instance.
const render::PluginModule* loadModule(const std::string& path) {
    if (access(path.c_str(), R_OK) != 0) {
        std::printf("peer_bench: %s is not installed; its cases are left out\n", path.c_str());
        return nullptr;
    }
    try {
        return new render::PluginModule(path);
    } catch (const render::RenderError& e) {
        std::printf("peer_bench: %s does not load (%s); its cases are left out\n", path.c_str(), e.what());
        return nullptr;
    }
}

void setFramesPerSecond(benchmark::State& state) {
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void runOne(benchmark::State& state, const render::PluginModule* module,
            std::vector<std::pair<int, float>> settings) {
    Peer peer(*module, settings);
    for (auto _ : state) {
        peer.process(peer.in->pointers());
        benchmark::ClobberMemory();
    }
    setFramesPerSecond(state);
}

// The encoder's outputs are the decoder's inputs, block by block.
void runChain(benchmark::State& state, const render::PluginModule* encoder,
              const render::PluginModule* decoder) {
    Peer first(*encoder, {});
    Peer second(*decoder, {});
    for (auto _ : state) {
        first.process(first.in->pointers());
        second.process(first.out->pointers());
        benchmark::ClobberMemory();
    }
    setFramesPerSecond(state);
}

void registerCases(const render::PluginModule* orbitone, const render::PluginModule* encoder,
                   const render::PluginModule* decoder, const render::PluginModule* pingPong) {
    if (orbitone) {
        // Input Channels 2 (parameter 9), then each channel's Animation (11 and 17), normalised.
        benchmark::RegisterBenchmark("Orbitone/static", runOne, orbitone,
                                     std::vector<std::pair<int, float>>{{9, 1}});
        const char* const modes[] = {"Rotate", "Cruise", "Randomize", "FishBowl"};
        for (int mode = 1; mode <= 4; ++mode) {
            const float value = static_cast<float>(mode) / 4;
            benchmark::RegisterBenchmark(
                (std::string("Orbitone/") + modes[mode - 1]).c_str(), runOne, orbitone,
                std::vector<std::pair<int, float>>{{9, 1}, {11, value}, {17, value}});
        }
    }
    if (encoder && decoder) benchmark::RegisterBenchmark("PeerChain", runChain, encoder, decoder);
    if (encoder)
        benchmark::RegisterBenchmark("IEM/StereoEncoder", runOne, encoder,
                                     std::vector<std::pair<int, float>>{});
    if (decoder)
        benchmark::RegisterBenchmark("IEM/SimpleDecoder", runOne, decoder,
                                     std::vector<std::pair<int, float>>{});
    if (pingPong)
        benchmark::RegisterBenchmark("PingPongPan", runOne, pingPong, std::vector<std::pair<int, float>>{});
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    registerCases(loadModule(ORBITONE_MODULE), loadModule(kStereoEncoder), loadModule(kSimpleDecoder),
                  loadModule(kPingPongPan));
    // Each case's nanoseconds per frame against the peers' chain of the same run.
    RatioReporter reporter("PeerChain", "ns/frame", [](const benchmark::BenchmarkReporter::Run& run) {
        const auto counter = run.counters.find("ns_per_frame");
        return counter == run.counters.end() ? -1.0 : counter->second.value * 1e9;
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
