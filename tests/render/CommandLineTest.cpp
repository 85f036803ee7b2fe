#include "tools/render/CommandLine.h"

#include <gtest/gtest.h>

#include "tools/render/RenderError.h"

using render::CommandLine;
using render::RenderError;

namespace {

render::RenderOptions parse(std::vector<std::string> arguments) {
    return CommandLine::parse(arguments);
}

std::string refusal(std::vector<std::string> arguments) {
    try {
        parse(arguments);
    } catch (const RenderError& error) {
        EXPECT_EQ(error.code(), render::ExitCode::usage);
        return error.what();
    }
    return "";
}

}  // namespace

TEST(CommandLine, ReadsFilesOptionsAndParameters) {
    const auto options = parse({"in.aiff", "out.flac", "-b", "5461", "--bits=16", "-p", "Animation=Rotate",
                                "--param", "Speed#2 = norm:0.25", "--tempo", "98.5", "--start-ppq=-4",
                                "--time-signature", "7/8", "--stopped", "--recording", "-m", "x.so"});
    EXPECT_EQ(options.inputPath, "in.aiff");
    EXPECT_EQ(options.outputPath, "out.flac");
    EXPECT_EQ(options.blockSize, 5461);
    EXPECT_EQ(options.sampleFormat, render::SampleFormat::pcm16);
    ASSERT_EQ(options.parameters.size(), 2u);
    EXPECT_EQ(options.parameters[0].parameter, "Animation");
    EXPECT_FALSE(options.parameters[0].normalised);
    EXPECT_EQ(options.parameters[1].parameter, "Speed#2");
    EXPECT_TRUE(options.parameters[1].normalised);
    EXPECT_DOUBLE_EQ(options.transport.tempo, 98.5);
    EXPECT_DOUBLE_EQ(options.transport.startPpq, -4.0);
    EXPECT_EQ(options.transport.timeSigNumerator, 7);
    EXPECT_EQ(options.transport.timeSigDenominator, 8);
    EXPECT_FALSE(options.transport.playing);
    EXPECT_TRUE(options.transport.recording);
    EXPECT_EQ(options.modulePath, "x.so");
    EXPECT_EQ(parse({"--snapshot", "panel.png"}).snapshotPath, "panel.png");
}

TEST(CommandLine, NoArgumentsMeansTheGeneratedDemo) {
    const auto options = parse({});
    EXPECT_TRUE(options.inputPath.empty());
    EXPECT_TRUE(options.outputPath.empty());
    EXPECT_TRUE(options.transport.playing);
    EXPECT_TRUE(options.snapshotPath.empty());
}

TEST(CommandLine, RefusesWhatItCannotUse) {
    EXPECT_EQ(refusal({"--frobnicate"}), "unknown option --frobnicate (see --help)");
    EXPECT_EQ(refusal({"-b"}), "--block needs a value (see --help)");
    EXPECT_EQ(refusal({"--snapshot"}), "--snapshot needs a value (see --help)");
    EXPECT_NE(refusal({"-b", "0"}), "");
    EXPECT_NE(refusal({"-b", "12x"}), "");
    EXPECT_NE(refusal({"--bits", "20"}), "");
    EXPECT_NE(refusal({"--format", "mp3"}), "");
    EXPECT_NE(refusal({"--tempo", "0"}), "");
    EXPECT_NE(refusal({"--time-signature", "4"}), "");
    EXPECT_NE(refusal({"--time-signature", "4/0"}), "");
    EXPECT_NE(refusal({"-p", "Gain"}), "");
    EXPECT_NE(refusal({"--quiet=yes"}), "");
    EXPECT_EQ(refusal({"a", "b", "c"}),
              "too many file names: expected INPUT and OUTPUT at most (see --help)");
    EXPECT_EQ(refusal({"a", "b", "-o", "c"}), "the output is given twice (see --help)");
}
