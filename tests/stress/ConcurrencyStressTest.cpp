// Hosts process audio, run the editor and change parameters on three threads at once. This test
// does all three to one instance, with the transport playing and both channels animated, for a set
// of gestures on the panel and until every thread has done its share, and checks what comes out.
// tools/tsan.sh runs it again under ThreadSanitizer.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "HostWindow.h"
#include "plugin/vst/PluginFactory.h"
#include "tests/host/TestHost.h"
#include "tests/support/PollUntil.h"

using namespace editortest;

namespace {

constexpr int kGestures = 96;
// Far beyond what the gestures take even under ThreadSanitizer; ctest stops the test at 120 s.
constexpr std::chrono::seconds kGiveUp{100};
constexpr int kChannels = 6;
constexpr int kLongestBlock = 700;
constexpr int kParameters = 23;
constexpr int kInputChannels = 9;
constexpr int kAnimationCh1 = 11;
constexpr int kAnimationCh2 = 17;

// Deterministic pseudo-random numbers, one generator per thread.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state_(seed) {}
    uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    float unit() { return static_cast<float>(next() % 10001u) / 10000.0f; }

  private:
    uint32_t state_;
};

intptr_t dispatch(AEffect* e, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                  float opt = 0) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

std::string text(AEffect* e, int32_t opcode, int32_t index) {
    char buffer[256] = {};
    dispatch(e, opcode, index, 0, buffer);
    buffer[sizeof buffer - 1] = 0;
    return buffer;
}

// The normalised range a parameter can hold: the panel's Speed controls reach twice the host range.
bool withinHoldableRange(const std::string& name, float value) {
    if (!std::isfinite(value)) return false;
    if (name == "Speed") return value >= -0.5f && value <= 1.5f;
    return value >= 0.0f && value <= 1.0f;
}

struct Tally {
    std::atomic<long> singleBlocks{0};
    std::atomic<long> doubleBlocks{0};
    std::atomic<long> nonFiniteSamples{0};
    std::atomic<long> parameterCalls{0};
    std::atomic<long> unholdableReads{0};
    std::atomic<long> chunkRoundTrips{0};
};

// Blocks of varying size, in single and double precision, sometimes in place.
template <typename Sample>
void processBlock(AEffect* e, Dice& dice, int frames, std::vector<std::vector<Sample>>& in,
                  std::vector<std::vector<Sample>>& out, double& phase, Tally& tally) {
    Sample* inPtr[kChannels];
    Sample* outPtr[kChannels];
    const bool inPlace = dice.below(4) == 0;
    for (int k = 0; k < kChannels; ++k) {
        for (int j = 0; j < frames; ++j)
            in[k][j] = static_cast<Sample>(std::sin(phase + 0.01 * j * (k + 1)) * (k < 2 ? 0.9 : 0.3));
        inPtr[k] = in[k].data();
        outPtr[k] = inPlace ? in[k].data() : out[k].data();
    }
    phase += 0.01 * frames;
    if constexpr (sizeof(Sample) == sizeof(double)) {
        e->processDoubleReplacing(e, inPtr, outPtr, frames);
        tally.doubleBlocks.fetch_add(1);
    } else {
        e->processReplacing(e, inPtr, outPtr, frames);
        tally.singleBlocks.fetch_add(1);
    }
    long bad = 0;
    for (int k = 0; k < kChannels; ++k) {
        for (int j = 0; j < frames; ++j) bad += std::isfinite(static_cast<double>(outPtr[k][j])) ? 0 : 1;
    }
    tally.nonFiniteSamples.fetch_add(bad);
}

void audioThread(AEffect* e, const std::atomic<bool>& stop, Tally& tally) {
    Dice dice(7);
    std::vector<std::vector<float>> inF(kChannels, std::vector<float>(kLongestBlock));
    std::vector<std::vector<float>> outF = inF;
    std::vector<std::vector<double>> inD(kChannels, std::vector<double>(kLongestBlock));
    std::vector<std::vector<double>> outD = inD;
    double phase = 0;
    while (!stop.load()) {
        const int frames = dice.below(8) == 0 ? dice.below(3) : dice.below(kLongestBlock + 1);
        if (dice.below(2) == 0) {
            processBlock(e, dice, frames, inF, outF, phase, tally);
        } else {
            processBlock(e, dice, frames, inD, outD, phase, tally);
        }
        std::this_thread::yield();
    }
}

// Parameter changes as automation lanes and a generic host editor make them, with the state saved
// and restored in between. The animations stay on: their lanes only move between the modes.
void parameterThread(AEffect* e, const std::atomic<bool>& stop, Tally& tally) {
    Dice dice(11);
    std::vector<std::string> names;
    for (int i = 0; i < kParameters; ++i) names.push_back(text(e, effGetParamName, i));
    std::vector<char> chunk;
    for (long round = 0; !stop.load(); ++round) {
        const int index = dice.below(kParameters);
        float value = dice.unit();
        if (index == kAnimationCh1 || index == kAnimationCh2) value = (1 + dice.below(4)) / 4.0f;
        if (dice.below(50) == 0) value = dice.below(2) ? -0.5f : 1.5f;  // a careless host
        e->setParameter(e, index, value);
        const int probe = dice.below(kParameters);
        if (!withinHoldableRange(names[static_cast<size_t>(probe)], e->getParameter(e, probe)))
            tally.unholdableReads.fetch_add(1);
        text(e, effGetParamDisplay, probe);
        text(e, effGetParamLabel, probe);
        text(e, effGetParamName, probe);
        tally.parameterCalls.fetch_add(1);
        if (round % 16 == 0) {
            void* data = nullptr;
            const intptr_t size = dispatch(e, effGetChunk, 0, 0, &data);
            if (size > 0 && data != nullptr) {
                const char* bytes = static_cast<const char*>(data);
                chunk.assign(bytes, bytes + size);
                dispatch(e, effSetChunk, 0, size, chunk.data());
                tally.chunkRoundTrips.fetch_add(1);
            }
        }
        // A pace, as a host's automation has one; the run waits for counts, not for time.
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// The editor's thread: host idles between the steps of a gesture, each with the window exposed so
// that it paints (besides the panel's own 30 Hz), reading the pointer and the animated positions.
class GuiDriver {
  public:
    GuiDriver(AEffect* e, HostWindow& window) : e_(e), window_(window) {}

    void idle(int times) {
        for (int i = 0; i < times; ++i) {
            window_.exposeChildren();
            dispatch(e_, effEditIdle);
        }
    }
    void moveTo(int x, int y) {
        window_.movePointer(x, y);
        idle(1);
    }
    // Rests on the start (a slider grabs only after a hover), presses, moves in steps, releases.
    void drag(unsigned int button, int x0, int y0, int x1, int y1, int steps, unsigned long key = 0) {
        moveTo(x0, y0);
        idle(2);
        if (key != 0) window_.key(key, true);
        window_.button(button, true);
        idle(2);
        for (int s = 1; s <= steps; ++s) moveTo(x0 + (x1 - x0) * s / steps, y0 + (y1 - y0) * s / steps);
        window_.button(button, false);
        if (key != 0) window_.key(key, false);
        idle(2);
    }
    void click(int x, int y) { drag(1, x, y, x, y, 1); }

  private:
    AEffect* e_;
    HostWindow& window_;
};

// Panel pixels of the controls the gestures use (the panel sits at the host window's top-left).
void runGestures(GuiDriver& gui, Dice& dice) {
    switch (dice.below(8)) {
        case 0:  // CH1 across the radar with the left button, past its edge
            gui.drag(1, 270, 270, 20 + dice.below(520), dice.below(540), 6);
            break;
        case 1:  // CH2 with the right button
            gui.drag(3, 200, 350, 20 + dice.below(500), 20 + dice.below(500), 6);
            break;
        case 2:  // Center Channel Influence
            gui.drag(1, 800, 207, 780 + dice.below(300), 207, 5);
            break;
        case 3:  // Center/Edge Zone Influence in Shift fine mode
            gui.drag(1, 900, 227, 960, 227, 4, XK_Shift_L);
            break;
        case 4:  // Smoothing Time back to its default with Control
            gui.drag(1, 850, 247, 850, 247, 1, XK_Control_L);
            break;
        case 5:  // CH1 Speed over its whole panel range
            gui.drag(1, 760, 427, 690 + dice.below(160), 427, 5);
            break;
        case 6:  // the Input Mono/Stereo checkbox
            gui.click(777, 317);
            break;
        default:  // Output
            gui.drag(1, 900, 337, 780 + dice.below(300), 337, 5);
            break;
    }
}

}  // namespace

TEST(ConcurrencyStress, AudioEditorAndParameterThreadsAtOnce) {
    // The callback runs on all three threads, so the host keeps only its tally; the transport plays
    // and never changes.
    HostState playing;
    playing.record = false;
    playing.time.sampleRate = 48000;
    playing.time.tempo = 120;
    playing.time.timeSigNumerator = 4;
    playing.time.timeSigDenominator = 4;
    playing.time.ppqPos = 16;
    playing.time.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    TestInstance host(&createOrbitoneInstance, playing);
    AEffect* e = host.effect();
    ASSERT_NE(e, nullptr);
    e->setParameter(e, kInputChannels, 1.0f);
    e->setParameter(e, kAnimationCh1, 0.25f);  // Rotate
    e->setParameter(e, kAnimationCh2, 0.5f);   // Cruise
    host.start(48000, kLongestBlock);

    Tally tally;
    {
        HostWindow window;
        ASSERT_NE(dispatch(e, effEditOpen, 0, 0, window.handle()), 0);
        std::atomic<bool> stop{false};
        std::thread audio(audioThread, e, std::cref(stop), std::ref(tally));
        std::thread parameters(parameterThread, e, std::cref(stop), std::ref(tally));
        GuiDriver gui(e, window);
        Dice dice(3);
        int gestures = 0;
        // The counts checked below, reached however the threads were scheduled.
        auto everyShareDone = [&] {
            return gestures >= kGestures && tally.singleBlocks.load() > 10 &&
                   tally.doubleBlocks.load() > 10 && tally.parameterCalls.load() > 100 &&
                   tally.chunkRoundTrips.load() > 10 && host.tally().calls.load() > 20;
        };
        const auto gesture = [&] {
            runGestures(gui, dice);
            ++gestures;
        };
        EXPECT_TRUE(testsupport::pollUntil(everyShareDone, gesture, kGiveUp)) << gestures << " gestures";
        stop.store(true);
        audio.join();
        parameters.join();
        gui.idle(2);
        dispatch(e, effEditClose);
    }

    std::printf(
        "%ld single and %ld double blocks, %ld parameter rounds, %ld chunk round trips, %ld automations\n",
        tally.singleBlocks.load(), tally.doubleBlocks.load(), tally.parameterCalls.load(),
        tally.chunkRoundTrips.load(), host.tally().calls.load());
    EXPECT_GT(tally.singleBlocks.load(), 10);
    EXPECT_GT(tally.doubleBlocks.load(), 10);
    EXPECT_GT(tally.parameterCalls.load(), 100);
    EXPECT_GT(tally.chunkRoundTrips.load(), 10);
    EXPECT_EQ(tally.nonFiniteSamples.load(), 0);
    EXPECT_EQ(tally.unholdableReads.load(), 0);
    // The panel follows the animations in every frame it paints, so a working editor automates a lot.
    EXPECT_GT(host.tally().calls.load(), 20);
    EXPECT_EQ(host.tally().bad.load(), 0) << "first: parameter " << host.tally().firstBadIndex.load()
                                          << " at " << host.tally().firstBadValue.load();
    for (int i = 0; i < kParameters; ++i) {
        const float value = e->getParameter(e, i);
        EXPECT_TRUE(withinHoldableRange(text(e, effGetParamName, i), value)) << i << ": " << value;
    }
    EXPECT_EQ(host.close(), 1);
}
