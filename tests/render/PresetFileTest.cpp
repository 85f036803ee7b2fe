#include "tools/render/PresetFile.h"

#include <gtest/gtest.h>

#include "tools/render/RenderError.h"

using render::PresetFile;

namespace {

PresetFile chunkProgram() {
    PresetFile preset;
    preset.kind = PresetFile::Kind::programChunk;
    preset.fxId = 0x4F623231;  // 'Ob21'
    preset.fxVersion = 1;
    preset.numPrograms = 23;
    preset.programName = "Wide rotation";
    for (int i = 0; i < 260; ++i) preset.chunk.push_back(static_cast<uint8_t>(i * 7));
    return preset;
}

PresetFile paramsProgram(const std::string& name) {
    PresetFile preset;
    preset.kind = PresetFile::Kind::programParams;
    preset.fxId = 0x4F623231;
    preset.programName = name;
    preset.params = {0.0f, 0.5f, 1.0f, -0.25f};
    return preset;
}

std::string refusal(const std::vector<uint8_t>& bytes) {
    try {
        PresetFile::parse(bytes);
    } catch (const render::RenderError& error) {
        EXPECT_EQ(error.code(), render::ExitCode::preset);
        return error.what();
    }
    return "";
}

}  // namespace

TEST(PresetFile, ProgramChunkHasTheBigEndianLayout) {
    const std::vector<uint8_t> bytes = chunkProgram().serialize();
    ASSERT_EQ(bytes.size(), 60u + 260u);
    const std::vector<uint8_t> header = {'C', 'c', 'n', 'K', 0,   0,   1, 0x38, 'F', 'P', 'C', 'h', 0, 0,
                                         0,   1,   'O', 'b', '2', '1', 0, 0,    0,   1,   0,   0,   0, 23};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 28), header);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[28])), "Wide rotation");
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 56, bytes.begin() + 60),
              (std::vector<uint8_t>{0, 0, 1, 4}));
}

TEST(PresetFile, EveryKindSurvivesARoundTrip) {
    PresetFile bankChunk = chunkProgram();
    bankChunk.kind = PresetFile::Kind::bankChunk;
    PresetFile bankList;
    bankList.kind = PresetFile::Kind::bankPrograms;
    bankList.fxId = 0x4F623231;
    bankList.programs = {paramsProgram("one"), paramsProgram("two")};

    for (const PresetFile& original : {chunkProgram(), paramsProgram("plain"), bankChunk, bankList}) {
        const std::vector<uint8_t> bytes = original.serialize();
        const PresetFile copy = PresetFile::parse(bytes);
        EXPECT_EQ(copy.kind, original.kind);
        EXPECT_EQ(copy.fxId, original.fxId);
        EXPECT_EQ(copy.chunk, original.chunk);
        EXPECT_EQ(copy.params, original.params);
        EXPECT_EQ(copy.serialize(), bytes);
    }
    EXPECT_EQ(PresetFile::parse(bankList.serialize()).programs.at(1).programName, "two");
}

TEST(PresetFile, NamesAreCutToTheFieldWithATerminator) {
    PresetFile preset = paramsProgram(std::string(40, 'x'));
    EXPECT_EQ(PresetFile::parse(preset.serialize()).programName, std::string(27, 'x'));
}

TEST(PresetFile, EveryTruncationIsRefusedNotOverread) {
    PresetFile bankList;
    bankList.kind = PresetFile::Kind::bankPrograms;
    bankList.programs = {paramsProgram("a"), paramsProgram("b")};
    for (const PresetFile& preset : {chunkProgram(), bankList}) {
        const std::vector<uint8_t> bytes = preset.serialize();
        for (size_t size = 0; size < bytes.size(); ++size)
            EXPECT_NE(refusal(std::vector<uint8_t>(bytes.begin(), bytes.begin() + size)), "") << size;
    }
}

TEST(PresetFile, InconsistentFieldsAreRefusedWithTheReason) {
    std::vector<uint8_t> bytes = chunkProgram().serialize();
    std::vector<uint8_t> wrongMagic = bytes;
    wrongMagic[0] = 'X';
    EXPECT_EQ(refusal(wrongMagic), "garbled preset: it does not start with 'CcnK'");

    std::vector<uint8_t> unknownType = bytes;
    unknownType[8] = 'Z';
    EXPECT_EQ(refusal(unknownType), "garbled preset: unknown preset type 'ZPCh'");

    std::vector<uint8_t> hugeChunk = bytes;
    hugeChunk[56] = 0x7F;
    EXPECT_EQ(refusal(hugeChunk), "garbled preset: chunk size (2130706692) exceeds the data");

    std::vector<uint8_t> negativeChunk = bytes;
    negativeChunk[56] = 0xFF;
    EXPECT_EQ(refusal(negativeChunk), "garbled preset: negative chunk size");

    std::vector<uint8_t> sizeTooLarge = bytes;
    sizeTooLarge[6] = 0x02;
    EXPECT_NE(refusal(sizeTooLarge).find("byte size"), std::string::npos);

    PresetFile inner = chunkProgram();
    inner.kind = PresetFile::Kind::bankChunk;
    PresetFile outer;
    outer.kind = PresetFile::Kind::bankPrograms;
    outer.programs = {inner};
    EXPECT_EQ(refusal(outer.serialize()), "garbled preset: a bank inside a bank");
}
