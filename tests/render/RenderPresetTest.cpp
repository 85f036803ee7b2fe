// Presets through the renderer: save, reload, banks, and refusal of damaged or foreign files.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "RenderTestSupport.h"
#include "tools/render/PresetFile.h"

namespace {

const std::string kGain = TEST_GAIN_MODULE;

std::string listing(const std::string& arguments) {
    const RunResult run = runRenderer("-m " + kGain + " --list-params " + arguments);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return run.output;
}

std::vector<uint8_t> testGainChunk(float gain, float mode, float probe) {
    std::vector<uint8_t> chunk(16);
    const int32_t tag = 'T' << 24 | 'G' << 16 | 'c' << 8 | 'h';
    const float values[3] = {gain, mode, probe};
    std::memcpy(chunk.data(), &tag, 4);
    std::memcpy(chunk.data() + 4, values, 12);
    return chunk;
}

}  // namespace

TEST(RenderPreset, SavedProgramLoadsBackWithItsValues) {
    ScratchFolder folder;
    const std::string fxp = folder.path("p.fxp");
    const RunResult save = runRenderer("-q -m " + kGain + " --seconds 0.1 -o " + folder.path("o.wav") +
                                       " -p Gain=norm:0.3 -p Mode=Swap --save-preset " + fxp);
    ASSERT_EQ(save.exitCode, 0) << save.output;

    const std::vector<uint8_t> bytes = readBytes(fxp);
    ASSERT_EQ(bytes.size(), 60u + 16u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "CcnK");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FPCh");
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 20), "TGn1");
    EXPECT_EQ(bytes[7], 60u + 16u - 8u);  // big-endian byte size of the rest

    const std::string shown = listing("--load-preset " + fxp);
    EXPECT_NE(shown.find("0.300000"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Swap"), std::string::npos) << shown;
}

TEST(RenderPreset, BanksLoadAsChunkOrAsProgramList) {
    ScratchFolder folder;
    render::PresetFile bank;
    bank.kind = render::PresetFile::Kind::bankChunk;
    bank.fxId = 'T' << 24 | 'G' << 16 | 'n' << 8 | '1';
    bank.numPrograms = 1;
    bank.chunk = testGainChunk(0.125f, 0.9f, 0.0f);
    bank.save(folder.path("chunk.fxb"));
    std::string shown = listing("--load-preset " + folder.path("chunk.fxb"));
    EXPECT_NE(shown.find("0.125000"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Mute"), std::string::npos) << shown;

    render::PresetFile program;
    program.kind = render::PresetFile::Kind::programParams;
    program.fxId = bank.fxId;
    program.programName = "Quiet";
    program.params = {0.0625f, 0.5f, 1.0f};
    render::PresetFile list = bank;
    list.kind = render::PresetFile::Kind::bankPrograms;
    list.programs = {program};
    list.save(folder.path("list.fxb"));
    shown = listing("--load-preset " + folder.path("list.fxb"));
    EXPECT_NE(shown.find("0.062500"), std::string::npos) << shown;
    EXPECT_NE(shown.find("On"), std::string::npos) << shown;
}

TEST(RenderPreset, DamagedOrForeignPresetsAreRefused) {
    ScratchFolder folder;
    render::PresetFile preset;
    preset.fxId = 'T' << 24 | 'G' << 16 | 'n' << 8 | '1';
    preset.chunk = testGainChunk(0.1f, 0.0f, 0.0f);
    std::vector<uint8_t> bytes = preset.serialize();

    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 5);
    std::ofstream(folder.path("cut.fxp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(cut.data()), cut.size());
    RunResult run = runRenderer("-m " + kGain + " --list-params --load-preset " + folder.path("cut.fxp"));
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_NE(run.output.find("garbled preset"), std::string::npos) << run.output;

    writeText(folder.path("text.fxp"), "hello, this is no preset at all, just text\n");
    run = runRenderer("-m " + kGain + " --list-params --load-preset " + folder.path("text.fxp"));
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_NE(run.output.find("'CcnK'"), std::string::npos) << run.output;

    preset.fxId = 'O' << 24 | 'b' << 16 | '2' << 8 | '1';
    preset.save(folder.path("other.fxp"));
    run = runRenderer("-m " + kGain + " --list-params --load-preset " + folder.path("other.fxp"));
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_NE(run.output.find("belongs to plug-in 'Ob21'"), std::string::npos) << run.output;
}
