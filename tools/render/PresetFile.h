// VST 2.4 preset files: .fxp (one program) and .fxb (a bank), either as a list of parameter
// values or as the plug-in's opaque state chunk. All header fields are big-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render {

struct PresetFile {
    enum class Kind {
        programParams,  // 'FxCk'
        programChunk,   // 'FPCh'
        bankPrograms,   // 'FxBk'
        bankChunk,      // 'FBCh'
    };

    Kind kind = Kind::programChunk;
    int32_t formatVersion = 1;
    int32_t fxId = 0;
    int32_t fxVersion = 0;
    int32_t numPrograms = 0;  // a program's parameter count, or a bank's program count
    std::string programName;
    std::vector<float> params;
    std::vector<uint8_t> chunk;
    std::vector<PresetFile> programs;  // a bank of parameter programs

    bool isBank() const { return kind == Kind::bankPrograms || kind == Kind::bankChunk; }

    // Throws RenderError(preset) naming the first inconsistency; never reads past the data.
    static PresetFile parse(const std::vector<uint8_t>& bytes);
    static PresetFile load(const std::string& path);
    std::vector<uint8_t> serialize() const;
    void save(const std::string& path) const;
};

// "Ob21" for printable IDs, else the number, for messages.
std::string fourCharText(int32_t id);

}  // namespace render
