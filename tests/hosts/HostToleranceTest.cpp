// The module under the habits of real hosts: old version answers, odd and changing block sizes,
// rate changes while suspended, chunk requests of both kinds, parameters set before a state load,
// and hosts that know the entry point only as "main".
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/host/TestHost.h"

namespace {

constexpr int32_t kLeftRight1 = 0;
constexpr int32_t kSmoothing = 6;
constexpr int32_t kAnimation1 = 11;
constexpr int32_t kSpeed1 = 12;
constexpr float kRotate = 0.25f;
constexpr float kFastSpeed = 0.75f;  // 30 rotations per minute
constexpr double kTempo = 120;

// A host of the stricter kind: it supports none of the optional services and reports a playing
// transport with every block.
class StrictHost : public TestInstance {
  public:
    explicit StrictHost(const char* entryName = "VSTPluginMain", intptr_t version = 2400)
        : TestInstance(TestModule::orbitone(), entryName, declining(version)) {}
    Channels process(const Channels& input, const std::vector<int32_t>& blockSizes) {
        return processSignal(input, blockSizes, kTempo);
    }

  private:
    static HostState declining(intptr_t version) {
        HostState state;
        state.version = version;
        state.serviceAnswer = 0;
        return state;
    }
};

// A reproducible stereo test signal, silent on the other four inputs.
Channels stereoNoise(size_t frames) {
    Channels signal(2, std::vector<float>(frames));
    uint32_t state = 2024;
    for (auto& channel : signal)
        for (float& sample : channel) {
            state = state * 1103515245u + 12345u;
            sample = static_cast<float>((state >> 9) & 0xFFFF) / 32768.0f - 1.0f;
        }
    return signal;
}

void rotate(StrictHost& host) {
    host.setParameter(kAnimation1, kRotate);
    host.setParameter(kSpeed1, kFastSpeed);
}

bool hasSound(const Channels& output) {
    double energy = 0;
    for (const auto& channel : output)
        for (float sample : channel) {
            if (!std::isfinite(sample)) return false;
            energy += sample * sample;
        }
    return energy > 0;
}

}  // namespace

TEST(HostTolerance, OldHostVersionsStillGetAWorkingInstance) {
    for (intptr_t version : {2, 2300, 2400}) {
        StrictHost host("VSTPluginMain", version);
        ASSERT_NE(host.effect(), nullptr) << version;
        EXPECT_EQ(host.effect()->numOutputs, 6);
        host.start(44100, 512);
        EXPECT_TRUE(hasSound(host.process(stereoNoise(2048), {512}))) << version;
    }
}

TEST(HostTolerance, BlockSizesThatChangeAndAreNotPowersOfTwo) {
    const Channels input = stereoNoise(3 * 8192);
    StrictHost steady, ragged;
    for (StrictHost* host : {&steady, &ragged}) {
        ASSERT_NE(host->effect(), nullptr);
        host->start(48000, 8192);
        rotate(*host);
    }
    const Channels expected = steady.process(input, {512});
    const Channels actual = ragged.process(input, {5461, 8192, 1, 5461, 1, 1, 333});
    ASSERT_TRUE(hasSound(expected));
    for (size_t c = 0; c < expected.size(); ++c)
        for (size_t i = 0; i < expected[c].size(); ++i)
            ASSERT_EQ(actual[c][i], expected[c][i]) << "channel " << c << " frame " << i;
}

TEST(HostTolerance, SampleRateChangedWhileSuspendedTakesEffectAtResume) {
    const Channels input = stereoNoise(4000);
    StrictHost reused, fresh, old;
    for (StrictHost* host : {&reused, &fresh, &old}) ASSERT_NE(host->effect(), nullptr);
    reused.start(44100, 1024);
    reused.process(input, {1024});
    reused.changeSampleRate(96000);
    fresh.start(96000, 1024);
    old.start(44100, 1024);
    // A jump to the far left glides with a smoothing coefficient taken from the rate.
    for (StrictHost* host : {&reused, &fresh, &old}) {
        host->setParameter(kSmoothing, 0.2f);
        host->setParameter(kLeftRight1, 0.0f);
    }
    const Channels atNewRate = reused.process(input, {1024});
    EXPECT_EQ(atNewRate, fresh.process(input, {1024}));
    EXPECT_NE(atNewRate, old.process(input, {1024}));
}

TEST(HostTolerance, IdentifyAnswersTheClassicTag) {
    StrictHost host;
    ASSERT_NE(host.effect(), nullptr);
    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);  // 'NvEf'
}

TEST(HostTolerance, ChunkRequestsWithEitherPresetFlagCarryTheWholeState) {
    StrictHost source;
    ASSERT_NE(source.effect(), nullptr);
    source.start(44100, 512);
    rotate(source);
    source.setParameter(kLeftRight1, 0.125f);
    const std::vector<uint8_t> bank = source.chunk(0);
    const std::vector<uint8_t> program = source.chunk(1);
    ASSERT_EQ(bank.size(), 260u);
    EXPECT_EQ(program, bank);
    float marker;
    std::memcpy(&marker, bank.data(), 4);
    EXPECT_EQ(marker, -1000.0f);

    for (int32_t flag : {0, 1}) {
        StrictHost target;
        ASSERT_NE(target.effect(), nullptr);
        target.start(44100, 512);
        std::vector<uint8_t> copy = flag ? program : bank;
        target.dispatch(effSetChunk, flag, static_cast<intptr_t>(copy.size()), copy.data());
        for (int32_t p = 0; p < target.effect()->numParams; ++p)
            EXPECT_EQ(target.getParameter(p), source.getParameter(p))
                << "flag " << flag << " parameter " << p;
    }
}

TEST(HostTolerance, StateLoadedAfterParameterSetsWinsOnProjectReload) {
    const Channels input = stereoNoise(6000);
    StrictHost original, reloaded;
    ASSERT_NE(original.effect(), nullptr);
    ASSERT_NE(reloaded.effect(), nullptr);
    original.start(48000, 512);
    rotate(original);
    original.setParameter(kLeftRight1, 0.8f);
    std::vector<uint8_t> saved = original.chunk(0);

    // Some hosts replay their automation lanes' values first, then restore the saved state.
    reloaded.dispatch(effOpen);
    reloaded.dispatch(effSetSampleRate, 0, 0, nullptr, 48000);
    reloaded.dispatch(effSetBlockSize, 0, 512);
    for (int32_t p = 0; p < reloaded.effect()->numParams; ++p) reloaded.setParameter(p, 1.0f);
    reloaded.dispatch(effSetChunk, 0, static_cast<intptr_t>(saved.size()), saved.data());
    reloaded.dispatch(effMainsChanged, 0, 1);
    for (int32_t p = 0; p < reloaded.effect()->numParams; ++p)
        EXPECT_EQ(reloaded.getParameter(p), original.getParameter(p)) << p;

    // Restart the original the same way so both begin from a resume with equal sliders.
    original.changeSampleRate(48000);
    EXPECT_EQ(reloaded.process(input, {512}), original.process(input, {512}));
}

TEST(HostTolerance, HostsThatLookOnlyForMainOrMAIN) {
    for (const char* name : {"main", "MAIN"}) {
        ASSERT_NE(TestModule::orbitone().entry(name), nullptr) << name;
        StrictHost host(name);
        ASSERT_NE(host.effect(), nullptr) << name;
        EXPECT_EQ(host.effect()->uniqueID, 0x4F623231) << name;  // 'Ob21'
        host.start(44100, 256);
        EXPECT_TRUE(hasSound(host.process(stereoNoise(1024), {256}))) << name;
    }
}
