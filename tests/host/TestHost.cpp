#include "tests/host/TestHost.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

TestInstance* TestInstance::creating_ = nullptr;

TestModule& TestModule::orbitone() {
    static TestModule module(ORBITONE_MODULE_PATH);
    return module;
}

TestModule::TestModule(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// The module stays loaded, as hosts keep plug-in libraries: unloading it at exit would only turn its
// static data into apparent leaks.
TestModule::~TestModule() = default;

TestModule::EntryProc TestModule::entry(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    return reinterpret_cast<EntryProc>(dlsym(handle_, name));
}

TestInstance::TestInstance(const char* entryName, intptr_t hostVersion) {
    state_.version = hostVersion;
    TestModule::EntryProc entry = TestModule::orbitone().entry(entryName);
    if (entry == nullptr) throw std::runtime_error(std::string("no entry point ") + entryName);
    // The plug-in asks for the version before it knows its record: route that call to this instance.
    creating_ = this;
    effect_ = entry(&TestInstance::callback);
    creating_ = nullptr;
    if (effect_ != nullptr) effect_->user = this;
}

TestInstance::~TestInstance() {
    if (effect_ != nullptr) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0);
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
        case audioMasterAutomate:
            s.automations.push_back({index, opt});
            return 0;
        case audioMasterWantMidi:
            ++s.wantMidiCalls;
            return 1;
        case audioMasterGetTime:
            s.getTimeFilters.push_back(static_cast<int32_t>(value));
            return s.giveTime ? reinterpret_cast<intptr_t>(&s.time) : 0;
        case audioMasterUpdateDisplay:
            ++s.updateDisplayCalls;
            return 1;
        case audioMasterIdle:
            ++s.idleCalls;
            return 1;
        default:
            return 0;
    }
}

intptr_t TestInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void TestInstance::start(float sampleRate, int32_t blockSize) {
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

std::string TestInstance::text(int32_t opcode, int32_t index) {
    char buffer[256];
    std::memset(buffer, 0x7F, sizeof buffer);
    buffer[sizeof buffer - 1] = 0;
    dispatch(opcode, index, 0, buffer);
    return buffer;
}

void TestInstance::setPlaying(bool playing, bool recording) {
    state_.time.flags = (playing ? kVstTransportPlaying : 0) | (recording ? kVstTransportRecording : 0);
}

namespace {

template <typename Sample>
std::vector<std::vector<Sample>> runBlock(AEffect* effect, const std::vector<Sample>& levels,
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
    if constexpr (sizeof(Sample) == sizeof(double)) {
        effect->processDoubleReplacing(effect, inPtr.data(), outPtr.data(), frames);
    } else {
        effect->processReplacing(effect, inPtr.data(), outPtr.data(), frames);
    }
    return out;
}

}  // namespace

std::vector<std::vector<float>> TestInstance::process(const std::vector<float>& levels, int32_t frames) {
    return runBlock<float>(effect_, levels, frames);
}

std::vector<std::vector<double>> TestInstance::processDouble(const std::vector<double>& levels,
                                                             int32_t frames) {
    return runBlock<double>(effect_, levels, frames);
}
