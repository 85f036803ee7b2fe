#include "tools/render/PresetTransfer.h"

#include <algorithm>

#include "tools/render/RenderError.h"

namespace render {

namespace {

void checkFitsPlugin(const PresetFile& preset, const PluginInstance& plugin) {
    if (preset.fxId != plugin.uniqueId())
        throw RenderError(ExitCode::preset, "the preset belongs to plug-in '" + fourCharText(preset.fxId) +
                                                "', this module is '" + fourCharText(plugin.uniqueId()) +
                                                "'");
    const bool chunkForm =
        preset.kind == PresetFile::Kind::programChunk || preset.kind == PresetFile::Kind::bankChunk;
    if (chunkForm && !plugin.programsAreChunks())
        throw RenderError(ExitCode::preset,
                          "the preset holds a state chunk, but the plug-in keeps no chunks");
    if (preset.kind == PresetFile::Kind::programParams &&
        static_cast<int>(preset.params.size()) > plugin.numParams())
        throw RenderError(ExitCode::preset, "the preset has " + std::to_string(preset.params.size()) +
                                                " parameters, the plug-in " +
                                                std::to_string(plugin.numParams()));
}

void applyProgram(const PresetFile& program, const PluginInstance& plugin) {
    if (program.kind == PresetFile::Kind::programChunk) {
        plugin.setChunk(program.chunk, true);
    } else {
        for (size_t i = 0; i < program.params.size(); ++i)
            plugin.setParameter(static_cast<int>(i), program.params[i]);
    }
    if (!program.programName.empty()) plugin.setProgramName(program.programName);
}

}  // namespace

void applyPreset(const PresetFile& preset, const PluginInstance& plugin) {
    checkFitsPlugin(preset, plugin);
    for (const PresetFile& program : preset.programs) checkFitsPlugin(program, plugin);

    switch (preset.kind) {
        case PresetFile::Kind::programParams:
        case PresetFile::Kind::programChunk:
            applyProgram(preset, plugin);
            break;
        case PresetFile::Kind::bankChunk:
            plugin.setChunk(preset.chunk, false);
            break;
        case PresetFile::Kind::bankPrograms: {
            // Fill the plug-in's program slots in order, then come back to the first.
            const int count =
                std::min<int>(static_cast<int>(preset.programs.size()), plugin.effect()->numPrograms);
            for (int i = 0; i < count; ++i) {
                plugin.dispatch(effSetProgram, 0, i);
                applyProgram(preset.programs[static_cast<size_t>(i)], plugin);
            }
            plugin.dispatch(effSetProgram, 0, 0);
            break;
        }
    }
}

PresetFile captureProgram(const PluginInstance& plugin) {
    PresetFile preset;
    preset.fxId = plugin.uniqueId();
    preset.fxVersion = plugin.version();
    preset.programName = plugin.programName();
    preset.numPrograms = plugin.numParams();
    if (plugin.programsAreChunks()) {
        preset.kind = PresetFile::Kind::programChunk;
        preset.chunk = plugin.chunk(true);
    } else {
        preset.kind = PresetFile::Kind::programParams;
        for (int i = 0; i < plugin.numParams(); ++i) preset.params.push_back(plugin.parameter(i));
    }
    return preset;
}

}  // namespace render
