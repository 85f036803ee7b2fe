// The renderer's --snapshot, and the snapshot program's --state that carries the render's state over.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>

#include "RenderTestSupport.h"

namespace {

const std::string kOrbitone = ORBITONE_MODULE;
const std::string kSnapshot = SNAPSHOT_PROGRAM;
const std::string kGain = TEST_GAIN_MODULE;
// One set of settings, as the renderer takes them and as the snapshot program takes them.
const std::string kRenderSettings = "-p 'Input Channels=2' -p 'Animation#2=Fish Bowl' -p 'X Scale=0.6'";
const std::string kPanelSettings = "'Input Channels=2' 'Animation#2=Fish Bowl' 'X Scale=0.6'";
constexpr size_t kFxpHeader = 60;  // an .fxp of the chunk form: this header, then the state

struct ImageSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

uint32_t bigEndian(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 |
           uint32_t{bytes[at + 3]};
}

// The size in the IHDR chunk that follows the PNG signature; 0 x 0 when the file is no PNG.
ImageSize pngSize(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 24 || !std::equal(signature.begin(), signature.end(), bytes.begin()) ||
        std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR")
        return {};
    return {bigEndian(bytes, 16), bigEndian(bytes, 20)};
}

class PanelSnapshot : public ::testing::Test {
  protected:
    void SetUp() override {
        Audio input;
        input.sampleRate = 44100;
        input.channels = testSignal(2, 4410);
        writeAudio(folder.path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    }

    std::string renderArguments(const std::string& options) const {
        return options + " " + folder.path("in.wav") + " -o " + folder.path("out.wav");
    }

    // The raw state the renderer holds after rendering with the settings: the chunk of the .fxp
    // it saves.
    std::vector<uint8_t> renderedState() {
        const RunResult run = runRenderer(renderArguments("-q -m " + kOrbitone + " --save-preset " +
                                                          folder.path("state.fxp") + " " + kRenderSettings));
        EXPECT_EQ(run.exitCode, 0) << run.output;
        const std::vector<uint8_t> fxp = readBytes(folder.path("state.fxp"));
        if (fxp.size() <= kFxpHeader) return {};
        return std::vector<uint8_t>(fxp.begin() + kFxpHeader, fxp.end());
    }

    // The panel the snapshot program draws from settings given on its own command line.
    std::vector<uint8_t> panelFromSettings(const std::string& name, const std::string& settings) {
        const RunResult run = runProgram(kSnapshot, folder.path(name) + " " + settings);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return readBytes(folder.path(name));
    }

    // Runs the snapshot program on a state file it must refuse; answers its messages.
    std::string refusedState(const std::string& stateName) {
        const RunResult run =
            runProgram(kSnapshot, "--state " + folder.path(stateName) + " " + folder.path("refused.png"));
        EXPECT_EQ(run.exitCode, 3) << stateName << ": " << run.output;
        EXPECT_TRUE(readBytes(folder.path("refused.png")).empty()) << stateName << " gave a picture";
        return run.output;
    }

    ScratchFolder folder;
};

}  // namespace

TEST_F(PanelSnapshot, RenderDrawsThePanelOfItsFinalState) {
    // The temporary state goes to TMPDIR; the scratch folder as TMPDIR shows that it is removed.
    const RunResult run = runProgram("TMPDIR=" + folder.path("") + " " + RENDERER,
                                     renderArguments("-m " + kOrbitone + " --snapshot " +
                                                     folder.path("panel.png") + " " + kRenderSettings));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("panel snapshot "), std::string::npos) << run.output;
    const ImageSize size = pngSize(folder.path("panel.png"));
    EXPECT_EQ(size.width, 1130u);
    EXPECT_EQ(size.height, 540u);
    EXPECT_EQ(readAudio(folder.path("out.wav")).channels.size(), 6u);
    std::vector<std::string> files = folder.files();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"in.wav", "out.wav", "panel.png"}));

    // The picture shows the rendered settings, not the defaults.
    const std::vector<uint8_t> panel = readBytes(folder.path("panel.png"));
    EXPECT_EQ(panel, panelFromSettings("same.png", kPanelSettings));
    EXPECT_NE(panel, panelFromSettings("defaults.png", ""));
}

TEST_F(PanelSnapshot, SnapshotProgramDrawsAStateFile) {
    const std::vector<uint8_t> state = renderedState();
    ASSERT_FALSE(state.empty());
    writeBytes(folder.path("state.bin"), state);
    const RunResult run =
        runProgram(kSnapshot, "--state " + folder.path("state.bin") + " " + folder.path("state.png"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const ImageSize size = pngSize(folder.path("state.png"));
    EXPECT_EQ(size.width, 1130u);
    EXPECT_EQ(size.height, 540u);
    const std::vector<uint8_t> panel = readBytes(folder.path("state.png"));
    EXPECT_EQ(panel, panelFromSettings("settings.png", kPanelSettings));
    EXPECT_NE(panel, panelFromSettings("defaults.png", ""));

    // Settings on the command line come after the state and win over it.
    const RunResult overridden = runProgram(kSnapshot, "--state " + folder.path("state.bin") + " " +
                                                           folder.path("over.png") + " 'Input Channels=1'");
    ASSERT_EQ(overridden.exitCode, 0) << overridden.output;
    EXPECT_EQ(readBytes(folder.path("over.png")),
              panelFromSettings("one.png", "'Animation#2=Fish Bowl' 'X Scale=0.6'"));
}

TEST_F(PanelSnapshot, SnapshotProgramRefusesMissingOrGarbledStates) {
    EXPECT_NE(refusedState("missing.bin").find("cannot read state file"), std::string::npos);
    writeText(folder.path("text.bin"), "this is no plug-in state\n");
    EXPECT_NE(refusedState("text.bin").find("is not a state of this plug-in"), std::string::npos);
    writeBytes(folder.path("empty.bin"), {});
    refusedState("empty.bin");

    const std::vector<uint8_t> state = renderedState();
    ASSERT_GT(state.size(), 100u);
    writeBytes(folder.path("short.bin"), std::vector<uint8_t>(state.begin(), state.begin() + 100));
    refusedState("short.bin");
    std::vector<uint8_t> unmarked = state;
    unmarked[0] ^= 0x55;
    writeBytes(folder.path("unmarked.bin"), unmarked);
    refusedState("unmarked.bin");
    std::vector<uint8_t> notANumber = state;
    std::fill(notANumber.end() - 4, notANumber.end(), 0xff);
    writeBytes(folder.path("nan.bin"), notANumber);
    refusedState("nan.bin");
}

TEST_F(PanelSnapshot, RendererRefusesSnapshotsItCannotMake) {
    // Another plug-in: refused before rendering, so nothing is written.
    RunResult run = runRenderer(renderArguments("-m " + kGain + " --snapshot " + folder.path("gain.png")));
    EXPECT_EQ(run.exitCode, 8) << run.output;
    EXPECT_NE(run.output.find("Orbitone's panel only"), std::string::npos) << run.output;
    EXPECT_EQ(folder.files(), std::vector<std::string>{"in.wav"});

    // A renderer without the snapshot program beside it: refused before rendering too.
    const std::string lonely = folder.path("orbitone-render");
    writeBytes(lonely, readBytes(RENDERER));
    ASSERT_EQ(chmod(lonely.c_str(), 0755), 0);
    run = runProgram(lonely, renderArguments("-m " + kOrbitone + " --snapshot " + folder.path("x.png")));
    EXPECT_EQ(run.exitCode, 8) << run.output;
    EXPECT_NE(run.output.find("orbitone-snapshot, which is not there"), std::string::npos) << run.output;
    EXPECT_TRUE(readBytes(folder.path("out.wav")).empty());
    EXPECT_TRUE(readBytes(folder.path("x.png")).empty());

    // A snapshot that fails after the render keeps the rendered file.
    run = runRenderer(
        renderArguments("-q -m " + kOrbitone + " --snapshot " + folder.path("no-such-folder/panel.png")));
    EXPECT_EQ(run.exitCode, 8) << run.output;
    EXPECT_NE(run.output.find("panel snapshot not written"), std::string::npos) << run.output;
    EXPECT_EQ(readAudio(folder.path("out.wav")).channels.size(), 6u);
}

TEST_F(PanelSnapshot, SnapshotProgramAnswersHelpAndTakesNoOptionForTheOutput) {
    // Run in the scratch folder: an option taken for the picture's name would leave a file there.
    const std::string inFolder = "cd " + folder.path("") + " && " + kSnapshot;
    for (const char* help : {"--help", "-h", "out.png --help"}) {
        const RunResult run = runProgram(inFolder, help);
        EXPECT_EQ(run.exitCode, 0) << help << ": " << run.output;
        EXPECT_EQ(run.output.rfind("Usage: orbitone-snapshot [options] OUTPUT.png", 0), 0u) << run.output;
        EXPECT_NE(run.output.find("--state FILE"), std::string::npos) << run.output;
    }
    for (const char* refused : {"", "--frobnicate", "out.png --frames", "--state", "out.png --frames 0"}) {
        const RunResult run = runProgram(inFolder, refused);
        EXPECT_EQ(run.exitCode, 2) << "'" << refused << "': " << run.output;
        EXPECT_NE(run.output.find("(see --help)"), std::string::npos) << run.output;
    }
    EXPECT_EQ(folder.files(), std::vector<std::string>{"in.wav"});
}
