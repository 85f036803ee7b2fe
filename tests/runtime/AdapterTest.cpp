// The adapter and the bridge with a small effect of the test's own: processing loops, MIDI ring,
// mouse entries and the host queries the effect makes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "plugin/boundary/ReverseFunctions.h"
#include "plugin/sdk/AEffEditor.h"
#include "plugin/vst/Lumo.h"
#include "plugin/vst/PluginFactory.h"
#include "runtime/Quill.h"

namespace {

// Adds 100 * (channel + 1) to every sample and counts the sections.
class ProbeEffect : public TQuill {
  public:
    ProbeEffect() {
        channelCount = 6;
        AddSlider(1, nullptr, 0, 0, 1, 0.01, "", "", "", "Probe");
    }
    void DoBlock() override { ++blocks; }
    void DoSample() override {
        ++samples;
        for (int k = 0; k < 6; ++k) spl[k] += 100.0 * (k + 1);
    }
    int blocks = 0;
    int samples = 0;
};

VstTimeInfo hostTime{};
bool hostGivesTime = true;

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return hostGivesTime ? reinterpret_cast<intptr_t>(&hostTime) : 0;
    return 0;
}

struct Probe {
    Probe() : effect(new ProbeEffect()), record(createPluginInstance(host, effect)) {}
    ~Probe() { record->dispatcher(record, effClose, 0, 0, nullptr, 0); }
    CLumo* adapter() const { return static_cast<CLumo*>(record->object); }
    ProbeEffect* effect;
    AEffect* record;
};

template <typename Sample>
struct Buffers {
    explicit Buffers(int frames) : in(6, std::vector<Sample>(frames)), out(6, std::vector<Sample>(frames)) {
        for (int k = 0; k < 6; ++k) {
            for (int j = 0; j < frames; ++j) in[k][j] = static_cast<Sample>(k + 0.25 * j);
            inPtr.push_back(in[k].data());
            outPtr.push_back(out[k].data());
        }
    }
    std::vector<std::vector<Sample>> in, out;
    std::vector<Sample*> inPtr, outPtr;
};

}  // namespace

TEST(Processing, BlockOnceSamplePerFrameInBothPrecisions) {
    Probe probe;
    Buffers<float> single(64);
    probe.record->processReplacing(probe.record, single.inPtr.data(), single.outPtr.data(), 64);
    EXPECT_EQ(probe.effect->blocks, 1);
    EXPECT_EQ(probe.effect->samples, 64);
    for (int k = 0; k < 6; ++k) {
        for (int j = 0; j < 64; ++j) ASSERT_EQ(single.out[k][j], single.in[k][j] + 100.0f * (k + 1));
    }
    Buffers<double> twice(17);
    probe.record->processDoubleReplacing(probe.record, twice.inPtr.data(), twice.outPtr.data(), 17);
    EXPECT_EQ(probe.effect->blocks, 2);
    EXPECT_EQ(probe.effect->samples, 81);
    EXPECT_EQ(twice.out[5][16], twice.in[5][16] + 600.0);
}

TEST(Processing, ZeroFramesAndMissingBuffersRunOnlyTheBlockSection) {
    Probe probe;
    Buffers<float> buffers(8);
    probe.record->processReplacing(probe.record, buffers.inPtr.data(), buffers.outPtr.data(), 0);
    probe.record->processReplacing(probe.record, buffers.inPtr.data(), buffers.outPtr.data(), -5);
    probe.record->processReplacing(probe.record, nullptr, buffers.outPtr.data(), 8);
    buffers.inPtr[3] = nullptr;
    probe.record->processReplacing(probe.record, buffers.inPtr.data(), buffers.outPtr.data(), 8);
    EXPECT_EQ(probe.effect->blocks, 4);
    EXPECT_EQ(probe.effect->samples, 0);
}

TEST(Processing, InPlaceEqualsSeparateBuffers) {
    Probe probe;
    Buffers<float> separate(32);
    probe.record->processReplacing(probe.record, separate.inPtr.data(), separate.outPtr.data(), 32);
    Buffers<float> shared(32);
    probe.record->processReplacing(probe.record, shared.inPtr.data(), shared.inPtr.data(), 32);
    EXPECT_EQ(shared.in, separate.out);
}

TEST(Midi, RingKeepsTheLatestThousandEvents) {
    Probe probe;
    CLumo* adapter = probe.adapter();
    std::vector<VstMidiEvent> events(1001);
    std::vector<VstEvent*> pointers;
    for (int i = 0; i < 1001; ++i) {
        events[i].type = kVstMidiType;
        events[i].byteSize = sizeof(VstMidiEvent);
        events[i].deltaFrames = i;
        events[i].midiData[0] = static_cast<char>(0x90);
        events[i].midiData[1] = static_cast<char>(i & 0x7F);
        events[i].midiData[2] = 100;
        pointers.push_back(reinterpret_cast<VstEvent*>(&events[i]));
    }
    VstEvent sysex{};
    sysex.type = 6;
    pointers.insert(pointers.begin(), &sysex);
    std::vector<char> list(sizeof(VstEvents) + pointers.size() * sizeof(VstEvent*));
    auto* vstEvents = reinterpret_cast<VstEvents*>(list.data());
    vstEvents->numEvents = static_cast<int32_t>(pointers.size());
    for (size_t i = 0; i < pointers.size(); ++i) vstEvents->events[i] = pointers[i];
    EXPECT_EQ(probe.record->dispatcher(probe.record, effProcessEvents, 0, 0, vstEvents, 0), 1);

    // 1001 writes into 1000 slots: the newest event overwrote the oldest in slot 0.
    EXPECT_EQ(adapter->midiRing[0].deltaFrames, 1000);
    EXPECT_EQ(adapter->midiRing[1].deltaFrames, 1);
    EXPECT_EQ(adapter->midiRing[999].deltaFrames, 999);
    EXPECT_EQ(adapter->midiWritePos, 1);
    int32_t delta, status, data1, data2;
    ASSERT_EQ(adapterMidiReceive(adapter, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(delta, 1000);
    EXPECT_EQ(status, -112);  // 0x90 sign-extended
    EXPECT_EQ(data2, 100);
    // The reader has caught up with the writer: the ring reads as empty and says so with zeros.
    EXPECT_EQ(adapterMidiReceive(adapter, &delta, &status, &data1, &data2), 0);
    EXPECT_EQ(delta, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(adapterMidiReceive(nullptr, &delta, &status, &data1, &data2), 0);
}

TEST(Mouse, EntriesSetTheEffectsMouseVariables) {
    Probe probe;
    CLumo* adapter = probe.adapter();
    ProbeEffect& effect = *probe.effect;
    effect.gfxRate = 0;
    adapter->bridge.mouseDown(adapter, 12, 34, 2 | 16);
    EXPECT_EQ(effect.mouseFlags, 9);
    EXPECT_EQ(effect.mouseX, 12);
    EXPECT_EQ(effect.gfxRate, 30);
    adapter->bridge.mouseDown(adapter, 1, 2, 8 | 32 | 64 | 4 | 256 | 1024);
    EXPECT_EQ(effect.mouseFlags, 2 + 4 + 16 + 64);
    adapter->bridge.mouseMove(adapter, -5, 600, 0);
    EXPECT_EQ(effect.mouseFlags, 2 + 4 + 16 + 64);
    EXPECT_EQ(effect.mouseX, -5);
    adapter->bridge.mouseUp(adapter, 7, 8, 2);
    EXPECT_EQ(effect.mouseFlags, 0);
    effect.gfxRate = 60;
    adapter->bridge.mouseMove(adapter, 0, 0, 0);
    EXPECT_EQ(effect.gfxRate, 60);
    effect.gfxRate = std::numeric_limits<double>::quiet_NaN();
    adapter->bridge.mouseMove(adapter, 0, 0, 0);
    EXPECT_TRUE(std::isnan(effect.gfxRate));
    EXPECT_EQ(adapter->bridge.keyDown, nullptr);
    EXPECT_EQ(adapter->bridge.keyUp, nullptr);
}

namespace {

// Records the key codes that the dispatcher hands the editor.
class KeyEditor : public AEffEditor {
  public:
    bool onKeyDown(VstKeyCode& key) override {
        keys.push_back(key);
        return true;
    }
    bool onKeyUp(VstKeyCode& key) override {
        keys.push_back(key);
        return false;
    }
    std::vector<VstKeyCode> keys;
};

}  // namespace

// The modifiers arrive as a float; one that is no byte (a conversion the sanitizer build checks)
// counts as none.
TEST(Keys, ModifierArgumentsThatAreNoByteCountAsNone) {
    Probe probe;
    AEffEditor* own = probe.adapter()->getEditor();
    KeyEditor editor;
    probe.adapter()->setEditor(&editor);
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<float, int>> cases = {
        {kNaN, 0},  {1e9f, 0}, {-1e9f, 0}, {kInfinity, 0}, {-kInfinity, 0}, {256.0f, 0},
        {-1.0f, 0}, {0.0f, 0}, {3.0f, 3},  {8.5f, 8},      {255.0f, 255}};
    for (const auto& [modifier, expected] : cases) {
        editor.keys.clear();
        EXPECT_EQ(probe.record->dispatcher(probe.record, effEditKeyDown, 'a', 40, nullptr, modifier), 1);
        EXPECT_EQ(probe.record->dispatcher(probe.record, effEditKeyUp, 'a', 40, nullptr, modifier), 0);
        ASSERT_EQ(editor.keys.size(), 2u);
        for (const VstKeyCode& key : editor.keys) {
            EXPECT_EQ(key.character, 'a');
            EXPECT_EQ(key.virt, 40);
            EXPECT_EQ(key.modifier, expected) << "modifier argument " << modifier;
        }
    }
    probe.adapter()->setEditor(own);
}

TEST(HostQueries, TransportAndRatesThroughTheReverseFunctions) {
    Probe probe;
    CLumo* adapter = probe.adapter();
    EXPECT_EQ(adapterGetSampleRate(adapter), 44100.0f);
    EXPECT_EQ(adapterGetBlockSize(adapter), 1024);
    probe.record->dispatcher(probe.record, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    probe.record->dispatcher(probe.record, effSetSampleRate, 0, 0, nullptr, std::nanf(""));
    probe.record->dispatcher(probe.record, effSetSampleRate, 0, 0, nullptr, -1.0f);
    probe.record->dispatcher(probe.record, effSetSampleRate, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(adapterGetSampleRate(adapter), 48000.0f);

    hostGivesTime = true;
    hostTime = VstTimeInfo{};
    hostTime.tempo = 96;
    hostTime.ppqPos = 7.5;
    hostTime.timeSigNumerator = 6;
    hostTime.timeSigDenominator = 8;
    hostTime.flags = kVstTransportPlaying | kVstTransportRecording;
    double tempo = 0, numerator = 0, denominator = 0;
    EXPECT_EQ(adapterGetTempoAndSignature(adapter, &tempo, &numerator, &denominator), 1);
    EXPECT_EQ(tempo, 96);
    EXPECT_EQ(numerator, 6);
    EXPECT_EQ(denominator, 8);
    EXPECT_EQ(adapterGetTempoAndSignature(adapter, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(adapterIsPlaying(adapter), 1);
    EXPECT_EQ(adapterIsRecording(adapter), 1);
    EXPECT_EQ(adapterGetPpqPos(adapter), 7.5);

    hostGivesTime = false;
    EXPECT_EQ(adapterGetTempo(adapter), 0.0);
    EXPECT_EQ(adapterIsPlaying(adapter), 0);
    EXPECT_EQ(adapterIsRecording(adapter), 0);
    EXPECT_EQ(adapterGetPpqPos(adapter), 0.0);
    EXPECT_EQ(adapterGetTempoAndSignature(adapter, &tempo, &numerator, &denominator), 0);
    EXPECT_EQ(tempo, 0);
    hostGivesTime = true;

    EXPECT_EQ(adapterGetTempo(nullptr), 0.0);
    EXPECT_EQ(adapterAutomate(nullptr, 0, 0.5), 0);
    EXPECT_EQ(adapterGetAEffect(nullptr), nullptr);
}
