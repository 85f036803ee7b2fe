// The effect hosted by an adapter that speaks no plug-in format at all: everything the effect asks of
// its host must arrive through the boundary's operations, and the bridge must run it unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effect/QuillEffect.h"
#include "plugin/boundary/EditorFunctions.h"
#include "plugin/boundary/FourCharId.h"
#include "plugin/boundary/HostAdapter.h"
#include "plugin/boundary/ReverseFunctions.h"
#include "plugin/bridge/EffectBridge.h"

namespace {

class RecordingAdapter : public CHostAdapter {
  public:
    RecordingAdapter(TQuill* effect) : CHostAdapter(effect, makeEffectBridge()) {}
    ~RecordingAdapter() override {
        if (bridge.destroy != nullptr) bridge.destroy(this);
    }

    int32_t inputCount() override { return inputs; }
    int32_t outputCount() override { return outputs; }
    void declareInputs(int32_t count) override { inputs = count; }
    void declareOutputs(int32_t count) override { outputs = count; }
    void declareUniqueId(int32_t id) override { uniqueId = id; }
    void declareProgramsAreChunks(bool state) override { chunks = state; }
    void declareInitialDelay(int32_t samples) override { delay = samples; }
    float hostSampleRate() override { return 48000.0f; }
    int32_t hostBlockSize() override { return 256; }
    bool hostTime(int32_t request, HostTime& answer) override {
        requests.push_back(request);
        if (!timeGiven) return false;
        answer = time;
        return true;
    }
    bool refreshHostDisplay() override { return true; }
    void automateParameter(int32_t index, double value) override { automated.push_back({index, value}); }
    bool takeMidiEvent(HostMidiEvent& event) override {
        if (midi.empty()) return false;
        event = midi.front();
        midi.erase(midi.begin());
        return true;
    }
    int32_t createEditor(int32_t width, int32_t height) override {
        editorWidth = width;
        editorHeight = height;
        return 1;
    }
    bool editorSize(int32_t& width, int32_t& height) override {
        width = editorWidth;
        height = editorHeight;
        return editorWidth > 0;
    }
    int32_t redrawEditor() override { return ++redraws; }

    int32_t inputs = 0, outputs = 0, uniqueId = 0, delay = -1, editorWidth = 0, editorHeight = 0, redraws = 0;
    bool chunks = false;
    bool timeGiven = true;
    HostTime time;
    std::vector<int32_t> requests;
    std::vector<std::pair<int32_t, double>> automated;
    std::vector<HostMidiEvent> midi;
};

struct Hosted {
    Hosted() : effect(new TQuillEffect()), adapter(effect) {
        effect->adapter = &adapter;
        adapter.bridge.init(&adapter);
    }
    TQuillEffect* effect;
    RecordingAdapter adapter;
};

TEST(HostBoundary, SetUpReachesTheAdapterWithoutAnyPluginFormat) {
    Hosted hosted;
    RecordingAdapter& adapter = hosted.adapter;
    EXPECT_EQ(adapter.inputs, 6);
    EXPECT_EQ(adapter.outputs, 6);
    EXPECT_EQ(adapter.uniqueId, fourCharId('O', 'b', '2', '1'));
    EXPECT_TRUE(adapter.chunks);
    EXPECT_EQ(adapter.editorWidth, 1130);
    EXPECT_EQ(adapter.editorHeight, 540);
    int32_t width = 0, height = 0;
    EXPECT_EQ(editorGetSize(&adapter, &width, &height), 1);
    EXPECT_EQ(width, 1130);
    EXPECT_EQ(requestRedraw(&adapter), 1);
    EXPECT_EQ(requestRedraw(nullptr), 0);
}

TEST(HostBoundary, TimeQueriesAskForWhatTheyNeedAndZeroWithoutTransport) {
    Hosted hosted;
    RecordingAdapter& adapter = hosted.adapter;
    adapter.time.tempo = 140.0;
    adapter.time.ppqPos = 12.5;
    adapter.time.barStartPos = 12.0;
    adapter.time.timeSigNumerator = 7.0;
    adapter.time.timeSigDenominator = 8.0;
    adapter.time.playing = true;
    adapter.requests.clear();
    EXPECT_EQ(adapterGetTempo(&adapter), 140.0);
    EXPECT_EQ(adapterGetPpqPos(&adapter), 12.5);
    EXPECT_EQ(adapterGetBarStartPos(&adapter), 12.0);
    EXPECT_EQ(adapterIsPlaying(&adapter), 1);
    EXPECT_EQ(adapterIsRecording(&adapter), 0);
    double tempo = 0, numerator = 0, denominator = 0;
    EXPECT_EQ(adapterGetTempoAndSignature(&adapter, &tempo, &numerator, &denominator), 1);
    EXPECT_EQ(numerator, 7.0);
    EXPECT_EQ(denominator, 8.0);
    const std::vector<int32_t> expected = {kHostTimeTempo,     kHostTimePosition,
                                           kHostTimeBars,      kHostTimePlaying,
                                           kHostTimeRecording, kHostTimeTempo | kHostTimeSignature};
    EXPECT_EQ(adapter.requests, expected);

    adapter.timeGiven = false;
    EXPECT_EQ(adapterGetTempo(&adapter), 0.0);
    EXPECT_EQ(adapterIsPlaying(&adapter), 0);
    EXPECT_EQ(adapterGetTempoAndSignature(&adapter, &tempo, &numerator, &denominator), 0);
    EXPECT_EQ(tempo, 0.0);
    EXPECT_EQ(numerator, 0.0);
}

TEST(HostBoundary, MidiBytesAreSignExtendedAndAnEmptyQueueAnswersZeros) {
    Hosted hosted;
    RecordingAdapter& adapter = hosted.adapter;
    HostMidiEvent note;
    note.deltaFrames = 17;
    note.bytes[0] = 0x90;
    note.bytes[1] = 60;
    note.bytes[2] = 0xFF;
    adapter.midi.push_back(note);
    int32_t delta = -1, status = -1, data1 = -1, data2 = -1;
    EXPECT_EQ(adapterMidiReceive(&adapter, &delta, &status, &data1, &data2), 1);
    EXPECT_EQ(delta, 17);
    EXPECT_EQ(status, -112);
    EXPECT_EQ(data1, 60);
    EXPECT_EQ(data2, -1);
    EXPECT_EQ(adapterMidiReceive(&adapter, &delta, &status, &data1, &data2), 0);
    EXPECT_EQ(delta, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(data2, 0);
}

TEST(HostBoundary, TheBridgeProcessesAndAutomatesThroughTheAdapter) {
    Hosted hosted;
    RecordingAdapter& adapter = hosted.adapter;
    adapter.bridge.resume(&adapter);
    const int frames = 64;
    std::vector<std::vector<float>> in(6, std::vector<float>(frames, 0.5f)),
        out(6, std::vector<float>(frames));
    std::vector<float*> inPtr, outPtr;
    for (int k = 0; k < 6; ++k) {
        inPtr.push_back(in[k].data());
        outPtr.push_back(out[k].data());
    }
    adapter.bridge.processReplacing(&adapter, inPtr.data(), outPtr.data(), frames);
    double energy = 0.0;
    for (const auto& channel : out)
        for (float sample : channel) {
            ASSERT_TRUE(std::isfinite(sample));
            energy += sample * sample;
        }
    EXPECT_GT(energy, 0.0);

    EXPECT_EQ(adapterAutomate(&adapter, 3, 0.25), 1);
    ASSERT_EQ(adapter.automated.size(), 1u);
    EXPECT_EQ(adapter.automated[0].first, 3);
    EXPECT_EQ(adapter.automated[0].second, 0.25);
    EXPECT_EQ(adapterAutomate(nullptr, 3, 0.25), 0);
}

}  // namespace
