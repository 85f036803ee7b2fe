#include "tests/fuzz/FuzzInstance.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"
#include "runtime/Quill.h"

uint64_t FuzzInstance::dispatcherCalls = 0;
uint64_t FuzzInstance::entryCalls = 0;
FuzzInstance* FuzzInstance::creating_ = nullptr;
const bool FuzzInstance::trace = std::getenv("ORBITONE_FUZZ_TRACE") != nullptr;

void fuzzCheck(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

FuzzInstance::FuzzInstance() {
    creating_ = this;
    effect_ = createOrbitoneInstance(&FuzzInstance::callback);
    creating_ = nullptr;
    fuzzCheck(effect_ != nullptr, "the plug-in makes an instance");
    effect_->user = this;
    ++entryCalls;
}

FuzzInstance::~FuzzInstance() {
    if (effect_ != nullptr) close();
}

const TQuill& quillOf(AEffect* effect) {
    return *static_cast<CLumo*>(static_cast<AudioEffect*>(effect->object))->effect;
}

const TQuill& FuzzInstance::quill() const {
    return quillOf(effect_);
}

intptr_t FuzzInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    ++dispatcherCalls;
    ++entryCalls;
    const intptr_t answer = effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    if (trace)
        std::fprintf(stderr, "dispatcher(%d, %d, %lld, %p, %g) = %lld\n", opcode, index,
                     static_cast<long long>(value), ptr, static_cast<double>(opt),
                     static_cast<long long>(answer));
    return answer;
}

void FuzzInstance::setParameter(int32_t index, float value) {
    ++entryCalls;
    if (trace) std::fprintf(stderr, "setParameter(%d, %g)\n", index, static_cast<double>(value));
    effect_->setParameter(effect_, index, value);
}

float FuzzInstance::getParameter(int32_t index) {
    ++entryCalls;
    return effect_->getParameter(effect_, index);
}

void FuzzInstance::start(float sampleRate, int32_t blockSize) {
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void FuzzInstance::close() {
    dispatch(effMainsChanged, 0, 0);
    fuzzCheck(dispatch(effClose) == 1, "effClose answers 1");
    effect_ = nullptr;
}

void FuzzInstance::process(float** inputs, float** outputs, int32_t frames) {
    ++entryCalls;
    if (trace) std::fprintf(stderr, "processReplacing(%d frames)\n", frames);
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

void FuzzInstance::process(double** inputs, double** outputs, int32_t frames) {
    ++entryCalls;
    if (trace) std::fprintf(stderr, "processDoubleReplacing(%d frames)\n", frames);
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

intptr_t VSTCALLBACK FuzzInstance::callback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void*,
                                            float opt) {
    FuzzInstance* self =
        effect != nullptr && effect->user != nullptr ? static_cast<FuzzInstance*>(effect->user) : creating_;
    switch (opcode) {
        case audioMasterVersion:
            return 2400;
        case audioMasterAutomate:
            fuzzCheck(opt >= 0 && opt <= 1, "automation values sent to the host lie in 0..1");
            return 0;
        case audioMasterGetTime:
            return self != nullptr && self->giveTime ? reinterpret_cast<intptr_t>(&self->time) : 0;
        default:
            return 0;
    }
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
        ++FuzzInstance::entryCalls;
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

std::vector<uint8_t> savedState(FuzzInstance& instance) {
    void* data = nullptr;
    const intptr_t size = instance.dispatch(effGetChunk, 0, 0, &data);
    fuzzCheck(size >= 0, "effGetChunk answers a byte count");
    if (size == 0) return {};
    fuzzCheck(data != nullptr, "effGetChunk hands out its data");
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}
