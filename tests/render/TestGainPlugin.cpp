// A small VST 2.4 module for testing the renderer without the Orbitone engine: six channels of
// gain, a channel swap, and a "Probe" switch that writes the host's transport into outputs 2-5.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "plugin/sdk/aeffect.h"

namespace {

enum Param { kGain, kMode, kProbe, kNumParams };
constexpr int kChannels = 6;
constexpr int32_t kChunkTag = fourCharId('T', 'G', 'c', 'h');
const char* const kModeNames[] = {"Pass", "Swap", "Mute"};

struct Chunk {
    int32_t tag;
    float values[kNumParams];
};

struct TestGain {
    AEffect effect{};
    audioMasterCallback host = nullptr;
    float values[kNumParams] = {0.5f, 0.0f, 0.0f};
    char programName[64] = "Init";
    Chunk saved{};
};

TestGain* self(AEffect* effect) {
    return static_cast<TestGain*>(effect->object);
}

int modeOf(const TestGain* p) {
    const int mode = static_cast<int>(p->values[kMode] * 3.0f);
    return mode < 0 ? 0 : mode > 2 ? 2 : mode;
}

void display(const TestGain* p, int index, char* text) {
    const float x = p->values[index];
    if (index == kGain) {
        if (x <= 0.0f)
            std::strcpy(text, "-inf");
        else
            std::snprintf(text, 64, "%.2f", 20.0 * std::log10(2.0 * x));
    } else if (index == kMode) {
        std::strcpy(text, kModeNames[modeOf(p)]);
    } else {
        std::strcpy(text, x >= 0.5f ? "On" : "Off");
    }
}

intptr_t setChunk(TestGain* p, const void* data, intptr_t size) {
    Chunk chunk;
    if (size != static_cast<intptr_t>(sizeof chunk) || !data) return 0;
    std::memcpy(&chunk, data, sizeof chunk);
    if (chunk.tag != kChunkTag) return 0;
    std::memcpy(p->values, chunk.values, sizeof p->values);
    return 1;
}

intptr_t dispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float) {
    TestGain* p = self(effect);
    static const char* const names[] = {"Gain", "Mode", "Probe"};
    switch (opcode) {
        case effClose:
            delete p;
            return 1;
        case effGetParamName:
            std::strcpy(static_cast<char*>(ptr), names[index]);
            return 0;
        case effGetParamLabel:
            std::strcpy(static_cast<char*>(ptr), index == kGain ? "dB" : "");
            return 0;
        case effGetParamDisplay:
            display(p, index, static_cast<char*>(ptr));
            return 0;
        case effGetEffectName:
            std::strcpy(static_cast<char*>(ptr), "Test Gain");
            return 1;
        case effGetProgramName:
            std::strcpy(static_cast<char*>(ptr), p->programName);
            return 0;
        case effSetProgramName:
            std::snprintf(p->programName, sizeof p->programName, "%s", static_cast<char*>(ptr));
            return 0;
        case effGetChunk:
            p->saved.tag = kChunkTag;
            std::memcpy(p->saved.values, p->values, sizeof p->values);
            *static_cast<void**>(ptr) = &p->saved;
            return sizeof p->saved;
        case effSetChunk:
            return setChunk(p, ptr, value);
        case effGetVstVersion:
            return 2400;
        default:
            return 0;
    }
}

void setParameter(AEffect* effect, int32_t index, float value) {
    self(effect)->values[index] = value;
}
float getParameter(AEffect* effect, int32_t index) {
    return self(effect)->values[index];
}

void writeTransport(TestGain* p, float** outputs, int32_t frames) {
    const auto* time =
        reinterpret_cast<const VstTimeInfo*>(p->host(&p->effect, audioMasterGetTime, 0, 0, nullptr, 0));
    const float fields[4] = {
        time ? static_cast<float>(time->ppqPos) : -1.0f,
        time ? static_cast<float>(time->tempo) : -1.0f,
        time ? static_cast<float>(time->flags & (kVstTransportPlaying | kVstTransportRecording)) : -1.0f,
        time ? static_cast<float>(time->samplePos) : -1.0f,
    };
    for (int c = 2; c < kChannels; ++c)
        for (int32_t i = 0; i < frames; ++i) outputs[c][i] = fields[c - 2];
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
    TestGain* p = self(effect);
    const int mode = modeOf(p);
    const float gain = mode == 2 ? 0.0f : 2.0f * p->values[kGain];
    for (int c = 0; c < kChannels; ++c) {
        const int from = mode == 1 && c < 2 ? 1 - c : c;
        for (int32_t i = 0; i < frames; ++i) outputs[c][i] = inputs[from][i] * gain;
    }
    if (p->values[kProbe] >= 0.5f) writeTransport(p, outputs, frames);
}

void processAccumulating(AEffect*, float**, float**, int32_t) {}

AEffect* create(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0) return nullptr;
    auto* p = new TestGain;
    p->host = host;
    AEffect& e = p->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.process = processAccumulating;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.processReplacing = processReplacing;
    e.numPrograms = 1;
    e.numParams = kNumParams;
    e.numInputs = kChannels;
    e.numOutputs = kChannels;
    e.flags = effFlagsCanReplacing | effFlagsProgramChunks;
    e.ioRatio = 1.0f;
    e.object = p;
    e.uniqueID = fourCharId('T', 'G', 'n', '1');
    e.version = 7;
    return &e;
}

}  // namespace

#ifdef TEST_GAIN_ONLY_MAIN
// Some old modules export nothing but "main"; the label sidesteps C++'s rules for main.
extern "C" __attribute__((visibility("default"))) AEffect* oldStyleEntry(audioMasterCallback host) __asm__(
    "main");
extern "C" AEffect* oldStyleEntry(audioMasterCallback host) {
    return create(host);
}
#else
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
    return create(host);
}
#endif
