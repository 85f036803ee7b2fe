// Everything the command line decides about one render.
#pragma once

#include <string>
#include <vector>

#include "tools/render/ParameterAssignment.h"

namespace render {

enum class OutputFormat { fromExtension, wav, flac };
enum class SampleFormat { byDefault, pcm16, pcm24, float32 };

struct TransportSettings {
    bool playing = true;
    bool recording = false;
    double tempo = 120.0;
    double startPpq = 0.0;
    int timeSigNumerator = 4;
    int timeSigDenominator = 4;
};

struct RenderOptions {
    std::string inputPath;  // empty: render the generated default signal
    std::string outputPath;
    std::string modulePath;  // empty: the Orbitone module beside the program
    std::vector<ParameterAssignment> parameters;
    std::string automationPath;
    std::string loadPresetPath;
    std::string savePresetPath;
    std::string snapshotPath;  // empty: no panel picture
    OutputFormat outputFormat = OutputFormat::fromExtension;
    SampleFormat sampleFormat = SampleFormat::byDefault;
    TransportSettings transport;
    int blockSize = 512;
    double defaultSignalSeconds = 8.0;
    bool listParams = false;
    bool quiet = false;
    bool showHelp = false;
};

}  // namespace render
