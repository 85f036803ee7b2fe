// Renders through the Orbitone module itself.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "RenderTestSupport.h"
#include "tests/host/TestHost.h"

namespace {

const std::string kOrbitone = ORBITONE_MODULE;
// Parameter indices in the module's order.
constexpr int kInputChannels = 9;
constexpr int kAnimation1 = 11;
constexpr int kSpeed1 = 12;

// The loudest channel of each half second: it changes as a source travels round the field.
std::vector<size_t> loudestPerWindow(const Audio& audio) {
    const size_t window = static_cast<size_t>(audio.sampleRate) / 2;
    std::vector<size_t> loudest;
    for (size_t start = 0; start + window <= audio.channels[0].size(); start += window) {
        std::vector<double> energy(audio.channels.size());
        for (size_t c = 0; c < audio.channels.size(); ++c)
            for (size_t i = start; i < start + window; ++i)
                energy[c] += audio.channels[c][i] * audio.channels[c][i];
        loudest.push_back(
            static_cast<size_t>(std::max_element(energy.begin(), energy.end()) - energy.begin()));
    }
    return loudest;
}

}  // namespace

TEST(OrbitoneRender, RotatingRenderMatchesDirectProcessingBitForBit) {
    ScratchFolder folder;
    Audio input;
    input.sampleRate = 48000;
    input.channels = testSignal(2, 24000);
    writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    // Rotate (0.25 of 0..4) at 15 rpm (0.625 of -60..60), one summed input.
    const RunResult run =
        runRenderer("-q -m " + kOrbitone + " -b 256 --bits float -p 11=norm:0.25 -p 12=norm:0.625 " +
                    folder.path("in.wav") + " " + folder.path("out.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;

    // The renderer's order: set up, parameters, resume, then the blocks with a playing transport.
    const TestModule module(kOrbitone);
    TestInstance host(module, "VSTPluginMain");
    host.start(48000, 256, false);
    host.setParameter(kAnimation1, 0.25f);
    host.setParameter(kSpeed1, 0.625f);
    host.dispatch(effMainsChanged, 0, 1);
    const auto expected = host.processSignal(input.channels, {256}, 120.0);
    const Audio rendered = readAudio(folder.path("out.wav"));
    ASSERT_EQ(rendered.channels.size(), 6u);
    for (size_t c = 0; c < 6; ++c)
        for (size_t i = 0; i < expected[c].size(); ++i)
            ASSERT_EQ(rendered.channels[c][i], expected[c][i]) << "channel " << c << " frame " << i;
}

TEST(OrbitoneRender, DemoSourcesTravelOnlyWhileTheTransportPlays) {
    ScratchFolder folder;
    RunResult run = runRenderer("-q -m " + kOrbitone + " --seconds 4 -o " + folder.path("demo.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Audio moving = readAudio(folder.path("demo.wav"));
    ASSERT_EQ(moving.channels.size(), 6u);
    const std::vector<size_t> travelling = loudestPerWindow(moving);
    EXPECT_GE(std::set<size_t>(travelling.begin(), travelling.end()).size(), 3u);

    run = runRenderer("-q -m " + kOrbitone + " --seconds 4 --stopped -o " + folder.path("still.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<size_t> still = loudestPerWindow(readAudio(folder.path("still.wav")));
    EXPECT_EQ(std::set<size_t>(still.begin(), still.end()).size(), 1u);
}

TEST(OrbitoneRender, DisplayValuesAndPresetRoundTrip) {
    ScratchFolder folder;
    const std::string fxp = folder.path("wide.fxp");
    RunResult run =
        runRenderer("-m " + kOrbitone + " --list-params -p 'Smoothing Time [ms]=250' -p Animation=Rotate " +
                    "-p 'Animation#2=Fish Bowl' -p 'Output [dB]=-3.5' -p 'Input Channels=2'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Smoothing Time [ms]                0.250000   250.00"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Rotate"), std::string::npos);
    EXPECT_NE(run.output.find("Fish Bowl"), std::string::npos);
    EXPECT_NE(run.output.find("-3.50"), std::string::npos);
    const std::string listed = run.output;

    Audio input;
    input.sampleRate = 44100;
    input.channels = testSignal(2, 4410);
    writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    run = runRenderer("-q -m " + kOrbitone + " " + folder.path("in.wav") + " -o " + folder.path("o.wav") +
                      " -p 'Smoothing Time [ms]=250' -p Animation=Rotate -p 'Animation#2=Fish Bowl' " +
                      "-p 'Output [dB]=-3.5' -p 'Input Channels=2' --stopped --save-preset " + fxp);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<uint8_t> bytes = readBytes(fxp);
    ASSERT_EQ(bytes.size(), 60u + 260u);  // the module's state is a 260-byte chunk
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FPCh");
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 20), "Ob21");

    run = runRenderer("-m " + kOrbitone + " --list-params --load-preset " + fxp);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, listed);
}
