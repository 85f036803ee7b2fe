#include "tests/host/TestHost.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

TestInstance* TestInstance::creating_ = nullptr;
std::atomic<uint64_t> TestInstance::dispatcherCalls_{0};
std::atomic<uint64_t> TestInstance::entryCalls_{0};

TestInstance::TestInstance(const TestModule& module, const char* entryName, HostState host)
    : state_(std::move(host)) {
    EntryProc entry = module.entry(entryName);
    if (entry == nullptr) throw std::runtime_error(std::string("no entry point ") + entryName);
    make(entry);
}

TestInstance::TestInstance(EntryProc entry, HostState host) : state_(std::move(host)) {
    make(entry);
}

void TestInstance::make(EntryProc entry) {
    counted(false);
    creating_ = this;
    effect_ = entry(&TestInstance::callback);
    creating_ = nullptr;
    if (effect_ != nullptr) effect_->user = this;
}

TestInstance::~TestInstance() {
    if (effect_ != nullptr) close();
}

intptr_t TestInstance::close() {
    if (resumed_) dispatch(effMainsChanged, 0, 0);
    const intptr_t answer = dispatch(effClose);
    effect_ = nullptr;
    return answer;
}

void TestInstance::counted(bool dispatcher) const {
    if (dispatcher) dispatcherCalls_.fetch_add(1, std::memory_order_relaxed);
    entryCalls_.fetch_add(1, std::memory_order_relaxed);
}

intptr_t VSTCALLBACK TestInstance::callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                            void*, float opt) {
    TestInstance* self =
        effect != nullptr && effect->user != nullptr ? static_cast<TestInstance*>(effect->user) : creating_;
    if (self == nullptr) return 0;
    HostState& s = self->state_;
    switch (opcode) {
        case audioMasterVersion:
            return s.version;
        case audioMasterAutomate: {
            AutomationTally& t = self->tally_;
            t.calls.fetch_add(1);
            if (!(opt >= 0.0f && opt <= 1.0f) && t.bad.fetch_add(1) == 0) {
                t.firstBadIndex.store(index);
                t.firstBadValue.store(opt);
            }
            if (s.record) s.automations.push_back({index, opt});
            return 0;
        }
        case audioMasterWantMidi:
            if (s.record) ++s.wantMidiCalls;
            return s.serviceAnswer;
        case audioMasterGetTime:
            if (s.record) s.getTimeFilters.push_back(static_cast<int32_t>(value));
            return s.giveTime ? reinterpret_cast<intptr_t>(&s.time) : 0;
        case audioMasterUpdateDisplay:
            if (s.record) ++s.updateDisplayCalls;
            return s.serviceAnswer;
        case audioMasterIdle:
            if (s.record) ++s.idleCalls;
            return s.serviceAnswer;
        default:
            return 0;
    }
}

intptr_t TestInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    if (effect_ == nullptr) return 0;
    counted(true);
    if (opcode == effMainsChanged) resumed_ = value != 0;
    const intptr_t answer = effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    if (state_.trace)
        std::fprintf(stderr, "dispatcher(%d, %d, %lld, %p, %g) = %lld\n", opcode, index,
                     static_cast<long long>(value), ptr, static_cast<double>(opt),
                     static_cast<long long>(answer));
    return answer;
}

void TestInstance::start(float sampleRate, int32_t blockSize, bool resume) {
    sampleRate_ = sampleRate;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    if (resume) dispatch(effMainsChanged, 0, 1);
}

void TestInstance::changeSampleRate(float sampleRate) {
    sampleRate_ = sampleRate;
    dispatch(effMainsChanged, 0, 0);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effMainsChanged, 0, 1);
}

void TestInstance::setParameter(int32_t index, float value) {
    counted(false);
    if (state_.trace) std::fprintf(stderr, "setParameter(%d, %g)\n", index, static_cast<double>(value));
    effect_->setParameter(effect_, index, value);
}

float TestInstance::getParameter(int32_t index) {
    counted(false);
    return effect_->getParameter(effect_, index);
}

std::string TestInstance::text(int32_t opcode, int32_t index) {
    // Filled with a mark, so that a text the plug-in leaves unterminated shows.
    char buffer[256];
    std::memset(buffer, 0x7F, sizeof buffer);
    buffer[sizeof buffer - 1] = 0;
    dispatch(opcode, index, 0, buffer);
    return buffer;
}

std::vector<uint8_t> TestInstance::chunk(int32_t presetFlag) {
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, presetFlag, 0, &data);
    if (size <= 0 || data == nullptr) return {};
    return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

void TestInstance::setPlaying(bool playing, bool recording) {
    state_.time.flags = (playing ? kVstTransportPlaying : 0) | (recording ? kVstTransportRecording : 0);
}

void TestInstance::process(float** inputs, float** outputs, int32_t frames) {
    counted(false);
    if (state_.trace) std::fprintf(stderr, "processReplacing(%d frames)\n", frames);
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

void TestInstance::process(double** inputs, double** outputs, int32_t frames) {
    counted(false);
    if (state_.trace) std::fprintf(stderr, "processDoubleReplacing(%d frames)\n", frames);
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

namespace {

template <typename Sample>
std::vector<std::vector<Sample>> constantBlock(TestInstance& instance, const std::vector<Sample>& levels,
                                               int32_t frames) {
    const size_t channels = 6;
    std::vector<std::vector<Sample>> in(channels, std::vector<Sample>(static_cast<size_t>(frames), 0));
    std::vector<std::vector<Sample>> out(channels, std::vector<Sample>(static_cast<size_t>(frames), 0));
    std::vector<Sample*> inPtr(channels), outPtr(channels);
    for (size_t k = 0; k < channels; ++k) {
        if (k < levels.size()) std::fill(in[k].begin(), in[k].end(), levels[k]);
        inPtr[k] = in[k].data();
        outPtr[k] = out[k].data();
    }
    instance.process(inPtr.data(), outPtr.data(), frames);
    return out;
}

}  // namespace

std::vector<std::vector<float>> TestInstance::process(const std::vector<float>& levels, int32_t frames) {
    return constantBlock<float>(*this, levels, frames);
}

std::vector<std::vector<double>> TestInstance::processDouble(const std::vector<double>& levels,
                                                             int32_t frames) {
    return constantBlock<double>(*this, levels, frames);
}

Channels TestInstance::processSignal(const Channels& input, const std::vector<int32_t>& blockSizes,
                                     double tempo) {
    const size_t frames = input.empty() ? 0 : input[0].size();
    Channels in(static_cast<size_t>(effect_->numInputs), std::vector<float>(frames));
    std::copy(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(std::min(input.size(), in.size())),
              in.begin());
    Channels out(static_cast<size_t>(effect_->numOutputs), std::vector<float>(frames));
    size_t done = 0;
    for (size_t call = 0; done < frames; ++call) {
        const size_t size =
            blockSizes.empty() ? frames : static_cast<size_t>(blockSizes[call % blockSizes.size()]);
        const auto count = static_cast<int32_t>(std::min(frames - done, size));
        std::vector<float*> ins, outs;
        for (auto& channel : in) ins.push_back(channel.data() + done);
        for (auto& channel : out) outs.push_back(channel.data() + done);
        if (tempo > 0) {
            VstTimeInfo& time = state_.time;
            time = VstTimeInfo{};
            time.samplePos = static_cast<double>(done);
            time.sampleRate = sampleRate_;
            time.tempo = tempo;
            time.ppqPos = static_cast<double>(done) / sampleRate_ * tempo / 60.0;
            time.timeSigNumerator = time.timeSigDenominator = 4;
            time.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
        }
        process(ins.data(), outs.data(), count);
        done += static_cast<size_t>(count);
    }
    return out;
}
