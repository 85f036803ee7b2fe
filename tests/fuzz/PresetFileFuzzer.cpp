// Any bytes as an .fxp or .fxb file: the renderer's reader refuses them with a message or reads
// them; what it reads writes back and reads again the same, and it can be handed to the plug-in.
#include <cstdint>
#include <vector>

#include "tests/fuzz/FuzzInstance.h"
#include "tests/fuzz/RenderPlugin.h"
#include "tools/render/PresetFile.h"
#include "tools/render/PresetTransfer.h"
#include "tools/render/RenderError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    render::PresetFile preset;
    try {
        preset = render::PresetFile::parse(bytes);
    } catch (const render::RenderError& error) {
        fuzzCheck(error.code() == render::ExitCode::preset, "a bad preset is a preset error");
        return 0;
    }
    const std::vector<uint8_t> written = preset.serialize();
    fuzzCheck(render::PresetFile::parse(written).serialize() == written,
              "a written preset reads back the same");

    // Made for this plug-in, the preset reaches it; the plug-in keeps its sliders in range.
    RenderPlugin plugin;
    preset.fxId = plugin.instance.uniqueId();
    for (render::PresetFile& program : preset.programs) program.fxId = preset.fxId;
    try {
        render::applyPreset(preset, plugin.instance);
    } catch (const render::RenderError& error) {
        fuzzCheck(error.code() == render::ExitCode::preset,
                  "a preset the plug-in cannot take is a preset error");
    }
    checkSliders(plugin.instance.effect());
    return 0;
}
