// The renderer's refusals: each with its exit code and message, and never a partial output.
#include <gtest/gtest.h>
#include <sndfile.h>

#include "RenderTestSupport.h"

namespace {

const std::string kGain = TEST_GAIN_MODULE;

class RenderFailure : public ::testing::Test {
  protected:
    void SetUp() override {
        Audio input;
        input.sampleRate = 8000;
        input.channels = testSignal(2, 800);
        writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    }

    // Runs a render that must fail, and checks that only the files made by the test remain.
    RunResult failing(const std::string& arguments, int expectedCode) {
        const size_t before = folder.files().size();
        RunResult run = runRenderer("-m " + kGain + " " + arguments + " -o " + folder.path("out.wav"));
        EXPECT_EQ(run.exitCode, expectedCode) << run.output;
        EXPECT_EQ(folder.files().size(), before) << "the failed render left a file behind";
        return run;
    }

    ScratchFolder folder;
};

}  // namespace

TEST_F(RenderFailure, MissingOrUnreadableInput) {
    EXPECT_NE(failing(folder.path("nothing.wav"), 2).output.find("input file not found"), std::string::npos);
    writeText(folder.path("text.wav"), "this is not audio\n");
    EXPECT_NE(failing(folder.path("text.wav"), 2).output.find("cannot read"), std::string::npos);
}

TEST_F(RenderFailure, MissingOrForeignModule) {
    RunResult run = runRenderer("-m " + folder.path("none.so") + " " + folder.path("in.wav"));
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.output.find("plug-in module not found"), std::string::npos) << run.output;
    writeText(folder.path("fake.so"), "not a library");
    run = runRenderer("-m " + folder.path("fake.so") + " " + folder.path("in.wav"));
    EXPECT_EQ(run.exitCode, 3) << run.output;
}

TEST_F(RenderFailure, UnknownParametersAndValues) {
    EXPECT_NE(failing("-p Volume=3 " + folder.path("in.wav"), 4).output.find("unknown parameter 'Volume'"),
              std::string::npos);
    EXPECT_NE(failing("-p 3=On " + folder.path("in.wav"), 4).output.find("unknown parameter '3'"),
              std::string::npos);
    const RunResult badText = failing("-p Mode=Loud " + folder.path("in.wav"), 4);
    EXPECT_NE(badText.output.find("'Mode' cannot show 'Loud'; its values are Pass, Swap, Mute"),
              std::string::npos)
        << badText.output;
    failing("-p Gain=40 " + folder.path("in.wav"), 4);  // beyond the largest gain the plug-in shows
}

TEST_F(RenderFailure, BadCommandLines) {
    failing("--bogus " + folder.path("in.wav"), 1);
    failing("-b 0 " + folder.path("in.wav"), 1);
    failing("-p Gain=norm:1.5 " + folder.path("in.wav"), 1);
    failing("--bits float --format flac " + folder.path("in.wav"), 1);
    failing("-p Gain " + folder.path("in.wav"), 1);
}

TEST_F(RenderFailure, AutomationErrorsNameTheLine) {
    writeText(folder.path("a.txt"), "0 Gain=norm:0.1\n# fine so far\n0.5x Gain=norm:0.2\n");
    EXPECT_NE(failing("-a " + folder.path("a.txt") + " " + folder.path("in.wav"), 6)
                  .output.find("a.txt:3: time '0.5x'"),
              std::string::npos);
    writeText(folder.path("b.txt"), "0 Gain=norm:0.1\n1 Volume=3\n");
    EXPECT_NE(failing("-a " + folder.path("b.txt") + " " + folder.path("in.wav"), 6)
                  .output.find("b.txt:2: unknown parameter"),
              std::string::npos);
    failing("-a " + folder.path("missing.txt") + " " + folder.path("in.wav"), 6);
}

TEST_F(RenderFailure, OutputFolderMissing) {
    const RunResult run =
        runRenderer("-m " + kGain + " " + folder.path("in.wav") + " " + folder.path("no/such/out.wav"));
    EXPECT_EQ(run.exitCode, 7) << run.output;
}
