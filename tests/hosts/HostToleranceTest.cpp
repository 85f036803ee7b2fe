// The module under the habits of real hosts: old version answers, odd and changing block sizes,
// rate changes while suspended, chunk requests of both kinds, parameters set before a state load,
// and hosts that know the entry point only as "main".
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ToleranceHost.h"

namespace {

constexpr int32_t kLeftRight1 = 0;
constexpr int32_t kSmoothing = 6;
constexpr int32_t kAnimation1 = 11;
constexpr int32_t kSpeed1 = 12;
constexpr float kRotate = 0.25f;
constexpr float kFastSpeed = 0.75f;  // 30 rotations per minute

void rotate(ToleranceHost& host) {
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
        ToleranceHost host("VSTPluginMain", version);
        ASSERT_NE(host.create(), nullptr) << version;
        EXPECT_EQ(host.effect()->numOutputs, 6);
        host.start(44100, 512);
        EXPECT_TRUE(hasSound(host.process(stereoNoise(2048), {512}))) << version;
    }
}

TEST(HostTolerance, BlockSizesThatChangeAndAreNotPowersOfTwo) {
    const Channels input = stereoNoise(3 * 8192);
    ToleranceHost steady, ragged;
    for (ToleranceHost* host : {&steady, &ragged}) {
        ASSERT_NE(host->create(), nullptr);
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
    ToleranceHost reused, fresh, old;
    for (ToleranceHost* host : {&reused, &fresh, &old}) ASSERT_NE(host->create(), nullptr);
    reused.start(44100, 1024);
    reused.process(input, {1024});
    reused.changeSampleRate(96000);
    fresh.start(96000, 1024);
    old.start(44100, 1024);
    // A jump to the far left glides with a smoothing coefficient taken from the rate.
    for (ToleranceHost* host : {&reused, &fresh, &old}) {
        host->setParameter(kSmoothing, 0.2f);
        host->setParameter(kLeftRight1, 0.0f);
    }
    const Channels atNewRate = reused.process(input, {1024});
    EXPECT_EQ(atNewRate, fresh.process(input, {1024}));
    EXPECT_NE(atNewRate, old.process(input, {1024}));
}

TEST(HostTolerance, IdentifyAnswersTheClassicTag) {
    ToleranceHost host;
    ASSERT_NE(host.create(), nullptr);
    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);  // 'NvEf'
}

TEST(HostTolerance, ChunkRequestsWithEitherPresetFlagCarryTheWholeState) {
    ToleranceHost source;
    ASSERT_NE(source.create(), nullptr);
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
        ToleranceHost target;
        ASSERT_NE(target.create(), nullptr);
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
    ToleranceHost original, reloaded;
    ASSERT_NE(original.create(), nullptr);
    ASSERT_NE(reloaded.create(), nullptr);
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
        ToleranceHost host(name);
        ASSERT_TRUE(host.entryFound()) << name;
        ASSERT_NE(host.create(), nullptr) << name;
        EXPECT_EQ(host.effect()->uniqueID, 0x4F623231) << name;  // 'Ob21'
        host.start(44100, 256);
        EXPECT_TRUE(hasSound(host.process(stereoNoise(1024), {256}))) << name;
    }
}
