// The VST 2.4 host of the tests: makes one instance through a module's entry point (a loaded module,
// or the factory linked in), answers the callback as its host state says, and records what the
// plug-in asks of it.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"
#include "tests/host/TestModule.h"

using Channels = std::vector<std::vector<float>>;

struct AutomateCall {
    int32_t index;
    float value;
};

// How the host answers, and what it saw. The test may change it between calls into the plug-in.
struct HostState {
    intptr_t version = 2400;
    // The answer to want-MIDI, idle and update-display: 0 for a host that supports none of them.
    intptr_t serviceAnswer = 1;
    // When the callback may run on several threads at once it records nothing but the tally.
    bool record = true;
    // Prints every call into the plug-in to stderr, for reading what a saved fuzz input does.
    bool trace = false;
    bool giveTime = true;
    VstTimeInfo time{};

    std::vector<AutomateCall> automations;
    int wantMidiCalls = 0;
    int updateDisplayCalls = 0;
    int idleCalls = 0;
    std::vector<int32_t> getTimeFilters;
};

// The automation the host was sent, counted on whatever thread sent it.
struct AutomationTally {
    std::atomic<long> calls{0};
    // Values a host cannot take: outside 0..1 or not a number; the first one is kept.
    std::atomic<long> bad{0};
    std::atomic<int32_t> firstBadIndex{-1};
    std::atomic<float> firstBadValue{0};
};

class TestInstance {
  public:
    using EntryProc = TestModule::EntryProc;

    // An instance of the module through the named entry point; throws when it lacks the name.
    TestInstance(const TestModule& module, const char* entryName, HostState host = {});
    // An instance through a factory linked into the test program.
    explicit TestInstance(EntryProc entry, HostState host = {});
    // An instance of this build's Orbitone module.
    explicit TestInstance(const char* entryName = "VSTPluginMain", intptr_t hostVersion = 2400)
        : TestInstance(TestModule::orbitone(), entryName, withVersion(hostVersion)) {}
    // Suspends a resumed instance, then closes it.
    ~TestInstance();
    TestInstance(const TestInstance&) = delete;
    TestInstance& operator=(const TestInstance&) = delete;

    // Null when the entry point made no instance, and after close().
    AEffect* effect() const { return effect_; }
    HostState& host() { return state_; }
    const AutomationTally& tally() const { return tally_; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0);
    // Open, set rate and block size, and resume unless told not to: what a host does before processing.
    void start(float sampleRate = 44100, int32_t blockSize = 512, bool resume = true);
    // Suspend, new rate, resume.
    void changeSampleRate(float sampleRate);
    // Suspends and closes; answers the close request's answer. The instance is gone afterwards.
    intptr_t close();
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index);
    std::string text(int32_t opcode, int32_t index = 0);
    // The state chunk the plug-in hands out now (bank or program).
    std::vector<uint8_t> chunk(int32_t presetFlag = 0);
    void setPlaying(bool playing, bool recording = false);

    // One call of either processing entry on the host's own buffers.
    void process(float** inputs, float** outputs, int32_t frames);
    void process(double** inputs, double** outputs, int32_t frames);
    // Processes frames of constant input per channel; answers the six output channels.
    std::vector<std::vector<float>> process(const std::vector<float>& inputLevels, int32_t frames);
    std::vector<std::vector<double>> processDouble(const std::vector<double>& inputLevels, int32_t frames);
    // Processes the signal (missing inputs silent) in calls of the given sizes, repeating the list
    // until the signal is used up; an empty list makes one call. With a tempo, each call reports a
    // playing transport at its first sample; without one the time info is the host state's.
    Channels processSignal(const Channels& input, const std::vector<int32_t>& blockSizes = {},
                           double tempo = 0);

    // Calls into the plug-in by all instances since the process started: dispatcher requests, and all.
    static uint64_t dispatcherCalls() { return dispatcherCalls_.load(std::memory_order_relaxed); }
    static uint64_t entryCalls() { return entryCalls_.load(std::memory_order_relaxed); }

  private:
    static HostState withVersion(intptr_t version) {
        HostState state;
        state.version = version;
        return state;
    }
    void make(EntryProc entry);
    void counted(bool dispatcher) const;
    static intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                         void* ptr, float opt);
    // The plug-in asks for the version before it knows its record: that call goes to this instance.
    static TestInstance* creating_;
    static std::atomic<uint64_t> dispatcherCalls_;
    static std::atomic<uint64_t> entryCalls_;

    HostState state_;
    AutomationTally tally_;
    AEffect* effect_ = nullptr;
    float sampleRate_ = 44100;
    bool resumed_ = false;
};
