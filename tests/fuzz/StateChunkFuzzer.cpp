// Any bytes as a saved state: the plug-in takes them, keeps processing finite audio with every slider
// in range, and what it saves afterwards restores exactly.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/Quill.h"
#include "tests/fuzz/FuzzInstance.h"

namespace {

constexpr int32_t kFrames = 16;

template <typename Sample>
void processBlock(FuzzInstance& instance, FuzzAudio<Sample>& audio) {
    for (int c = 0; c < FuzzAudio<Sample>::kChannels; ++c)
        for (int32_t j = 0; j < kFrames; ++j)
            audio.input(c)[static_cast<size_t>(j)] = static_cast<Sample>(((j * 7 + c * 3) % 17 - 8) / 8.0);
    instance.process(audio.inputs(), audio.outputs(), kFrames);
    fuzzCheck(audio.outputsFinite(kFrames), "outputs are finite after a state load");
}

void restore(FuzzInstance& instance, std::vector<uint8_t> bytes, bool preset) {
    const auto size = static_cast<intptr_t>(bytes.size());
    const intptr_t answer = instance.dispatch(effSetChunk, preset ? 1 : 0, size, bytes.data());
    fuzzCheck(answer == size, "effSetChunk accepts the whole byte count");
}

// The state holds single-precision values: that is the precision a round trip keeps.
std::vector<float> sliderValues(const TQuill& quill) {
    return std::vector<float>(std::begin(quill.sliders), std::end(quill.sliders));
}

uint64_t stateChunks = 0;

// Loads the bytes, processes in one precision, then saves and restores the result and processes in
// the other: every step keeps the sliders in range and the output finite, and the round trip is exact.
void loadAndCheck(FuzzInstance& instance, const std::vector<uint8_t>& bytes, bool preset,
                  bool doublePrecision) {
    static FuzzAudio<float> single(kFrames);
    static FuzzAudio<double> twice(kFrames);
    ++stateChunks;
    restore(instance, bytes, preset);
    checkSliders(instance);
    if (doublePrecision)
        processBlock(instance, twice);
    else
        processBlock(instance, single);
    checkSliders(instance);

    const std::vector<uint8_t> first = savedState(instance);
    const std::vector<float> before = sliderValues(instance.quill());
    restore(instance, first, preset);
    fuzzCheck(sliderValues(instance.quill()) == before, "restoring a saved state keeps every slider");
    fuzzCheck(savedState(instance) == first, "a saved state saves back unchanged");
    if (doublePrecision)
        processBlock(instance, single);
    else
        processBlock(instance, twice);
}

void report() {
    std::fprintf(stderr, "state chunks: %llu\n", static_cast<unsigned long long>(stateChunks));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(report);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte says whether the host saves a bank or a program, when it starts the plug-in, and
    // how many states it loads in turn (one to four); a byte for each state but the last gives its
    // length in 4-byte values, and the last state is the rest.
    const uint8_t how = size > 0 ? data[0] : 0;
    const bool preset = (how & 1) != 0;
    const bool loadBeforeStart = (how & 2) != 0;
    bool doublePrecision = (how & 4) != 0;
    const size_t loads = 1 + ((how >> 3) & 3);
    const size_t lengthsEnd = std::min(size, loads);
    size_t at = lengthsEnd;
    std::vector<std::vector<uint8_t>> states;
    for (size_t k = 1; k < loads; ++k) {
        const size_t length = k < lengthsEnd ? 4 * static_cast<size_t>(data[k]) : 0;
        const size_t end = std::min(size, at + length);
        states.emplace_back(data + at, data + end);
        at = end;
    }
    states.emplace_back(data + at, data + size);

    FuzzInstance instance;
    if (loadBeforeStart) {
        instance.dispatch(effOpen);
        loadAndCheck(instance, states.front(), preset, doublePrecision);
        instance.dispatch(effMainsChanged, 0, 1);
    } else {
        instance.start();
        loadAndCheck(instance, states.front(), preset, doublePrecision);
    }
    // Later states load over earlier ones: the init section ran at the first load only.
    for (size_t k = 1; k < states.size(); ++k) {
        doublePrecision = !doublePrecision;
        loadAndCheck(instance, states[k], preset, doublePrecision);
    }
    return 0;
}
