// What the renderer writes: samples, header, format, transport and automation timing.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>

#include "RenderTestSupport.h"
#include "tests/host/TestHost.h"

namespace {

constexpr int kRate = 44100;
const std::string kGain = TEST_GAIN_MODULE;

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

Audio stereoInput(size_t frames) {
    Audio audio;
    audio.sampleRate = kRate;
    audio.channels = testSignal(2, frames);
    return audio;
}

uint32_t littleEndian(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<size_t>(i)];
    return value;
}

// Offset of a RIFF chunk's payload, or 0 when the file has no such chunk.
size_t findChunk(const std::vector<uint8_t>& bytes, const char* id) {
    for (size_t at = 12; at + 8 <= bytes.size(); at += 8 + ((littleEndian(bytes, at + 4, 4) + 1) & ~1u))
        if (std::memcmp(&bytes[at], id, 4) == 0) return at + 8;
    return 0;
}

}  // namespace

TEST(RenderOutput, FloatRenderMatchesDirectProcessingBitForBit) {
    ScratchFolder folder;
    const Audio input = stereoInput(10000);
    writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    // An odd block size leaves a short last block.
    const RunResult run =
        runRenderer("-q -m " + kGain + " --bits float -b 300 -p Gain=norm:0.3 -p Probe=On " +
                    folder.path("in.wav") + " " + folder.path("out.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;

    // The renderer's order: set up, parameters, resume, then the blocks with a playing transport.
    const TestModule module(kGain);
    TestInstance host(module, "VSTPluginMain");
    host.start(kRate, 300, false);
    host.setParameter(0, 0.3f);
    host.setParameter(2, 1.0f);
    host.dispatch(effMainsChanged, 0, 1);
    const auto expected = host.processSignal(input.channels, {300}, 120.0);
    const Audio rendered = readAudio(folder.path("out.wav"));
    ASSERT_EQ(rendered.channels.size(), 6u);
    ASSERT_EQ(rendered.channels[0].size(), 10000u);
    for (size_t c = 0; c < 6; ++c)
        for (size_t i = 0; i < expected[c].size(); ++i)
            ASSERT_EQ(rendered.channels[c][i], expected[c][i]) << "channel " << c << " frame " << i;
}

TEST(RenderOutput, WavHeaderCarriesTheSurroundChannelMask) {
    ScratchFolder folder;
    writeAudio(folder.path("in.wav"), stereoInput(1000), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    for (const char* bits : {"16", "24", "float"}) {
        const RunResult run = runRenderer("-q -m " + kGain + " --bits " + bits + " " + folder.path("in.wav") +
                                          " " + folder.path("out.wav"));
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const std::vector<uint8_t> bytes = readBytes(folder.path("out.wav"));
        const size_t fmt = findChunk(bytes, "fmt ");
        ASSERT_NE(fmt, 0u);
        EXPECT_EQ(littleEndian(bytes, fmt, 2), 0xFFFEu) << bits;     // WAVE_FORMAT_EXTENSIBLE
        EXPECT_EQ(littleEndian(bytes, fmt + 2, 2), 6u) << bits;      // channels
        EXPECT_EQ(littleEndian(bytes, fmt + 4, 4), 44100u) << bits;  // the input's rate
        EXPECT_EQ(littleEndian(bytes, fmt + 20, 4), 0x3Fu) << bits;  // L R C LFE Ls Rs
        const uint32_t bitsPerSample = littleEndian(bytes, fmt + 14, 2);
        EXPECT_EQ(bitsPerSample, std::string(bits) == "float" ? 32u : static_cast<uint32_t>(std::stoi(bits)));
    }
}

TEST(RenderOutput, FlacOutputKeepsRateAndSixChannels) {
    ScratchFolder folder;
    Audio input = stereoInput(2000);
    input.sampleRate = 48000;
    writeAudio(folder.path("in.aiff"), input, SF_FORMAT_AIFF | SF_FORMAT_PCM_24);
    const RunResult run =
        runRenderer("-q -m " + kGain + " " + folder.path("in.aiff") + " " + folder.path("out.flac"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Audio rendered = readAudio(folder.path("out.flac"));
    EXPECT_EQ(rendered.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(rendered.sampleRate, 48000);
    ASSERT_EQ(rendered.channels.size(), 6u);
    // Gain 0.5 is unity: 24 bits hold the 24-bit input exactly.
    for (size_t i = 0; i < 2000; ++i)
        ASSERT_FLOAT_EQ(rendered.channels[1][i], readAudio(folder.path("in.aiff")).channels[1][i]) << i;
}

TEST(RenderOutput, TransportReachesThePlugin) {
    ScratchFolder folder;
    writeAudio(folder.path("in.wav"), stereoInput(4410), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const std::string common =
        "-q -m " + kGain + " -b 441 -p Probe=On --tempo 90 --start-ppq 8 " + folder.path("in.wav") + " ";

    ASSERT_EQ(runRenderer(common + folder.path("play.wav") + " --recording").exitCode, 0);
    const Audio playing = readAudio(folder.path("play.wav"));
    for (size_t block = 0; block < 10; ++block) {
        const size_t frame = block * 441;
        // 441 frames at 44.1 kHz are 10 ms: 0.015 quarter notes at 90 BPM.
        EXPECT_NEAR(playing.channels[2][frame], 8.0 + block * 0.015, 1e-5) << block;
        EXPECT_EQ(playing.channels[3][frame], 90.0f);
        EXPECT_EQ(playing.channels[4][frame], 10.0f);  // playing (2) and recording (8)
        EXPECT_EQ(playing.channels[5][frame], static_cast<float>(frame));
    }

    ASSERT_EQ(runRenderer(common + folder.path("stop.wav") + " --stopped").exitCode, 0);
    const Audio stopped = readAudio(folder.path("stop.wav"));
    EXPECT_EQ(stopped.channels[2][4000], 8.0f);  // a stopped transport does not move
    EXPECT_EQ(stopped.channels[4][4000], 0.0f);
}

TEST(RenderOutput, AutomationChangesLandOnTheirFrame) {
    ScratchFolder folder;
    Audio input;
    input.sampleRate = 1000;
    input.channels.assign(2, std::vector<float>(1000, 0.5f));
    writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    writeText(folder.path("auto.txt"),
              "# seconds parameter=value\n"
              "0.25 Gain=norm:0.25\n"
              "\n"
              "0.7005 Mode=Mute\n"
              "0.1 Gain=-inf\n");  // out of order on purpose: the file is sorted by time
    const RunResult run = runRenderer("-q -m " + kGain + " -b 64 -a " + folder.path("auto.txt") + " " +
                                      folder.path("in.wav") + " " + folder.path("out.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Audio rendered = readAudio(folder.path("out.wav"));
    const std::vector<float>& left = rendered.channels[0];
    EXPECT_EQ(left[99], 0.5f);
    EXPECT_EQ(left[100], 0.0f);
    EXPECT_EQ(left[249], 0.0f);
    EXPECT_EQ(left[250], 0.25f);
    EXPECT_EQ(left[700], 0.25f);
    EXPECT_EQ(left[701], 0.0f);  // 0.7005 s rounds to frame 701
}

TEST(RenderOutput, DisplayValuesSelectTheShownSetting) {
    ScratchFolder folder;
    Audio input;
    input.sampleRate = kRate;
    input.channels = {std::vector<float>(100, 0.5f), std::vector<float>(100, -0.25f)};
    writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    // "-6.02" lies between scanned values of a logarithmic display; "swap" differs in case.
    const RunResult run = runRenderer("-q -m " + kGain + " -p " + quoted("Gain=-6.02") + " -p mode=swap " +
                                      folder.path("in.wav") + " " + folder.path("out.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Audio rendered = readAudio(folder.path("out.wav"));
    const double gainDb = 20.0 * std::log10(rendered.channels[0][0] / -0.25);
    EXPECT_NEAR(gainDb, -6.02, 0.005);
    EXPECT_NEAR(rendered.channels[1][0] / 0.5, rendered.channels[0][0] / -0.25, 1e-6);
}

TEST(RenderOutput, ListParamsShowsIndexNameValueAndDisplay) {
    const RunResult run = runRenderer("-m " + kGain + " --list-params -p Gain=norm:0.25 -p 1=Mute");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("0  Gain"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("0.250000   -6.02 dB"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Mute"), std::string::npos) << run.output;
}

TEST(RenderOutput, ModuleExportingOnlyMainIsLoaded) {
    ScratchFolder folder;
    writeAudio(folder.path("in.wav"), stereoInput(500), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const RunResult run = runRenderer(std::string("-q -m ") + TEST_GAIN_MAIN_MODULE + " " +
                                      folder.path("in.wav") + " " + folder.path("out.wav"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(readAudio(folder.path("out.wav")).channels[0], readAudio(folder.path("in.wav")).channels[0]);
}
