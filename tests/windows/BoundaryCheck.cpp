// Orbitone.dll as a Windows host meets it: LoadLibrary, the three entry points, the interface
// record, the dispatcher's names, the state chunk and processing against the reference gains.
// Usage: BoundaryCheck <path to Orbitone.dll>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/TestHost.h"
#include "tests/windows/CheckMain.h"

namespace {

constexpr int kSmoothing = 6;
constexpr int kLeftRight1 = 0;
constexpr int kAnimation1 = 11;
constexpr int kSpeed1 = 12;
constexpr double kMonoSum = 2 * 0.708;  // both inputs at 1, one input
enum Output { L = 0, R, C, LFE, Ls, Rs };

const TestModule& dll() {
    static const TestModule module(checkArgument(0, "Orbitone.dll"));
    return module;
}

template <typename Blocks>
void expectCentreGains(const Blocks& out, const char* precision) {
    auto gain = [&](int channel) {
        return static_cast<double>(out[static_cast<size_t>(channel)].back()) / kMonoSum;
    };
    EXPECT_NEAR(gain(L), 0.293, 0.001) << "L gain in the centre, " << precision;
    EXPECT_NEAR(gain(R), 0.293, 0.001) << "R gain in the centre, " << precision;
    EXPECT_NEAR(gain(C), 0.293, 0.001) << "C gain in the centre, " << precision;
    EXPECT_NEAR(gain(Ls), 0.5, 0.001) << "Ls gain in the centre, " << precision;
    EXPECT_NEAR(gain(Rs), 0.5, 0.001) << "Rs gain in the centre, " << precision;
    EXPECT_NEAR(gain(LFE), 0, 1e-9) << "LFE silent without send, " << precision;
}

}  // namespace

TEST(Boundary, LoadLibraryOpensTheDll) {
    EXPECT_TRUE(dll().loaded());
}

TEST(Boundary, EntryPoints) {
    ASSERT_TRUE(dll().loaded());
    EXPECT_NE(dll().entry("VSTPluginMain"), nullptr);
    EXPECT_EQ(dll().entry("main"), dll().entry("VSTPluginMain")) << "main is the same function";
    EXPECT_NE(dll().entry("MAIN"), nullptr);
    for (const char* name : {"VSTPluginMain", "main", "MAIN"}) {
        TestInstance plugin(dll(), name);
        ASSERT_NE(plugin.effect(), nullptr) << name;
        EXPECT_EQ(plugin.effect()->numParams, 23) << name;
    }
}

TEST(Boundary, InterfaceRecordAndNames) {
    ASSERT_TRUE(dll().loaded());
    TestInstance plugin(dll(), "VSTPluginMain");
    AEffect* e = plugin.effect();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->magic, 0x56737450) << "magic 'VstP'";
    EXPECT_EQ(e->numInputs, 6);
    EXPECT_EQ(e->numOutputs, 6);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 23);
    EXPECT_EQ(e->flags, 0x1031) << "flags editor, replacing, chunks, double replacing";
    EXPECT_EQ(e->uniqueID, ('O' << 24) | ('b' << 16) | ('2' << 8) | '1') << "unique ID 'Ob21'";
    EXPECT_EQ(plugin.text(effGetEffectName), "Orbitone");
    EXPECT_EQ(plugin.text(effGetVendorString), "Velmora");
    EXPECT_EQ(plugin.text(effGetProductString), "Orbitone 2.1");
    EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 1000);
    EXPECT_EQ(plugin.text(effGetParamName, kSmoothing), "Smoothing Time [ms]");
    EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
}

TEST(Boundary, StateChunkRoundTrip) {
    ASSERT_TRUE(dll().loaded());
    TestInstance source(dll(), "VSTPluginMain");
    source.start();
    source.setParameter(kLeftRight1, 0.25f);
    std::vector<uint8_t> chunk = source.chunk();
    ASSERT_EQ(chunk.size(), 260u);
    float marker = 0;
    std::memcpy(&marker, chunk.data(), 4);
    EXPECT_EQ(marker, -1000.0f) << "the chunk starts with -1000.0f";

    TestInstance target(dll(), "VSTPluginMain");
    target.start();
    target.dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data());
    EXPECT_NEAR(target.getParameter(kLeftRight1), 0.25, 1e-6) << "the restored chunk sets the parameter";
    EXPECT_EQ(target.chunk(), chunk) << "the restored chunk reads back byte for byte";
}

TEST(Boundary, ProcessingInBothPrecisions) {
    ASSERT_TRUE(dll().loaded());
    TestInstance plugin(dll(), "VSTPluginMain");
    plugin.setParameter(kSmoothing, 0);
    plugin.start();
    expectCentreGains(plugin.process({1, 1, 0, 0, 0, 0}, 16), "single");
    expectCentreGains(plugin.processDouble({1, 1, 0, 0, 0, 0}, 16), "double");
}

// Rotate at 1 rpm and 44.1 kHz: 15 seconds after the back centre the point is at the left middle,
// where L and Ls carry 0.707 each. Checks the engine's own sine and cosine on this target.
TEST(Boundary, RotateReachesTheLeftMiddle) {
    ASSERT_TRUE(dll().loaded());
    TestInstance plugin(dll(), "VSTPluginMain");
    plugin.setParameter(kSmoothing, 0);
    plugin.setParameter(kAnimation1, 0.25f);
    plugin.setParameter(kSpeed1, 61.0f / 120);
    plugin.setPlaying(true);
    plugin.start();
    for (int block = 0; block < 1292; ++block) plugin.process({1, 1, 0, 0, 0, 0}, 512);
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 4);  // samples 661504 to 661507
    auto gain = [&](Output n) { return out[n].back() / kMonoSum; };
    EXPECT_NEAR(gain(L), 0.7071, 0.001);
    EXPECT_NEAR(gain(Ls), 0.7071, 0.001);
    EXPECT_NEAR(gain(R), 0, 0.001);
    EXPECT_NEAR(gain(Rs), 0, 0.001);
}
