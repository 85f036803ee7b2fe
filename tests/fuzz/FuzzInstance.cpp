#include "tests/fuzz/FuzzInstance.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"
#include "runtime/Quill.h"

const bool FuzzInstance::trace = std::getenv("ORBITONE_FUZZ_TRACE") != nullptr;

void fuzzCheck(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

namespace {
HostState fuzzHost() {
    HostState state;
    state.serviceAnswer = 0;
    state.record = false;
    state.trace = FuzzInstance::trace;
    return state;
}
}  // namespace

FuzzInstance::FuzzInstance() : TestInstance(&createOrbitoneInstance, fuzzHost()) {
    fuzzCheck(effect() != nullptr, "the plug-in makes an instance");
}

FuzzInstance::~FuzzInstance() {
    if (alive()) close();
}

const TQuill& quillOf(AEffect* effect) {
    return *static_cast<CLumo*>(static_cast<AudioEffect*>(effect->object))->effect;
}

const TQuill& FuzzInstance::quill() const {
    return quillOf(effect());
}

void FuzzInstance::close() {
    checkAutomation();
    fuzzCheck(TestInstance::close() == 1, "effClose answers 1");
}

void FuzzInstance::checkAutomation() const {
    fuzzCheck(tally().bad.load() == 0, "automation values sent to the host lie in 0..1");
}

template <typename Sample>
bool FuzzAudio<Sample>::outputsFinite(int32_t frames) const {
    for (int c = kChannels; c < kChannels * 2; ++c)
        for (int32_t j = 0; j < frames; ++j)
            if (!std::isfinite(data_[static_cast<size_t>(c)][static_cast<size_t>(j)])) return false;
    return true;
}
template class FuzzAudio<float>;
template class FuzzAudio<double>;

void producibleRange(const SliderRecord& record, double& low, double& high) {
    low = record.minimum;
    high = record.maximum;
    if (record.name == "Speed") {
        low *= 2;
        high *= 2;
    }
}

void checkSliders(AEffect* effect) {
    const TQuill& quill = quillOf(effect);
    for (size_t index = 0; index < quill.sliderRecords.size(); ++index) {
        const SliderRecord& record = quill.sliderRecords[index];
        double low = 0, high = 0;
        producibleRange(record, low, high);
        const double value = quill.sliders[record.number];
        if (!(value >= low && value <= high)) {
            std::fprintf(stderr, "slider %d (%s) holds %g outside %g..%g\n", record.number,
                         record.name.c_str(), value, low, high);
            fuzzCheck(false, "every slider within what the plug-in can produce");
        }
        const float parameter = effect->getParameter(effect, static_cast<int32_t>(index));
        // A host reads a value beyond the declared range as beyond 0..1, unclamped.
        const double span = record.maximum - record.minimum;
        const double lowest = (low - record.minimum) / span, highest = (high - record.minimum) / span;
        if (!(parameter >= static_cast<float>(lowest) && parameter <= static_cast<float>(highest))) {
            std::fprintf(stderr, "parameter %zu (%s) reads %g from slider value %g\n", index,
                         record.name.c_str(), static_cast<double>(parameter), value);
            fuzzCheck(false, "every parameter reads as its slider's place in the declared range");
        }
    }
}

void checkSliders(FuzzInstance& instance) {
    instance.checkAutomation();
    checkSliders(instance.effect());
}

std::vector<uint8_t> savedState(FuzzInstance& instance) {
    void* data = nullptr;
    const intptr_t size = instance.dispatch(effGetChunk, 0, 0, &data);
    fuzzCheck(size >= 0, "effGetChunk answers a byte count");
    if (size == 0) return {};
    fuzzCheck(data != nullptr, "effGetChunk hands out its data");
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}
