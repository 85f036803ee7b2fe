// orbitone-snapshot: renders the panel of an Orbitone instance to a PNG, without a window. The
// usage text below says what it does; the manual page is made from it.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "plugin/vst/PluginFactory.h"
#include "tools/snapshot/PanelSnapshot.h"
#include "tools/snapshot/ParameterSettings.h"
#include "tools/snapshot/SnapshotHost.h"
#include "tools/snapshot/StateFile.h"

namespace {

constexpr int kChannels = 6;

struct Options {
    bool help = false;
    bool normalised = false;
    int frames = 60;
    std::string statePath;
    std::string output;
    std::vector<std::string> settings;
};

const char* const kUsage = R"(Usage: orbitone-snapshot [options] OUTPUT.png [NAME=VALUE ...]

Draws the 1130x540 editor panel of an Orbitone instance into OUTPUT.png, without a window.
The instance runs N frames of a 30 frames-per-second editor, each after one frame's worth of a
test signal (tones on the first two inputs) with the transport playing, so that meters, trails
and motion show; the last frame is written.

      --frames N         editor frames to run before the picture is taken (default 60)
      --state FILE       load a raw plug-in state (the chunk a host saves) before the settings
      --normalised       take every VALUE as a normalised value from 0 to 1
  -h, --help             this text

A setting NAME=VALUE is applied after the state: NAME is a parameter's name, NAME#2 for the
second parameter of that name, or an index; VALUE is in the parameter's own units or one of
its item texts ("Animation=Rotate", "Speed=12"), or norm:X for a normalised value.

Exit codes: 0 written, 1 no instance or the picture not written, 2 bad command line or
setting, 3 state file missing or not a state of this plug-in.
)";

// Answers false on a command line that names no output or gives an option without its value.
bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--normalised") {
            options.normalised = true;
        } else if (arg == "--frames" && hasValue) {
            options.frames = std::atoi(argv[++i]);
        } else if (arg == "--state" && hasValue) {
            options.statePath = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            // An unknown option, or one without its value: never taken for the output's name.
            return false;
        } else if (options.output.empty()) {
            options.output = arg;
        } else {
            options.settings.push_back(arg);
        }
    }
    return options.help || (!options.output.empty() && options.frames > 0);
}

// Two tones on the first two inputs (CH1 at -6 dB, CH2 at -12 dB); the others silent.
void processOneFrame(AEffect* effect, long& sampleClock) {
    static std::vector<float> buffers[2 * kChannels];
    float* inputs[kChannels];
    float* outputs[kChannels];
    for (int c = 0; c < 2 * kChannels; ++c) buffers[c].assign(snapshot::kBlockSize, 0.0f);
    for (int n = 0; n < snapshot::kBlockSize; ++n) {
        const double t = static_cast<double>(sampleClock + n) / snapshot::kSampleRate;
        buffers[0][n] = static_cast<float>(0.5 * std::sin(2 * M_PI * 220 * t));
        buffers[1][n] = static_cast<float>(0.25 * std::sin(2 * M_PI * 330 * t));
    }
    for (int c = 0; c < kChannels; ++c) {
        inputs[c] = buffers[c].data();
        outputs[c] = buffers[kChannels + c].data();
    }
    effect->processReplacing(effect, inputs, outputs, snapshot::kBlockSize);
    snapshot::advanceTransport(snapshot::kBlockSize);
    sampleClock += snapshot::kBlockSize;
}

void startInstance(AEffect* effect) {
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(snapshot::kSampleRate));
    effect->dispatcher(effect, effSetBlockSize, 0, snapshot::kBlockSize, nullptr, 0);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0);
}

void stopInstance(AEffect* effect) {
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs("usage: orbitone-snapshot [options] OUTPUT.png [NAME=VALUE ...] (see --help)\n", stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    AEffect* effect = createOrbitoneInstance(snapshot::hostCallback);
    if (effect == nullptr) {
        std::fprintf(stderr, "no instance\n");
        return 1;
    }
    startInstance(effect);
    if (!options.statePath.empty()) {
        const std::string error = snapshot::loadStateFile(effect, options.statePath);
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            stopInstance(effect);
            return 3;
        }
    }
    for (const std::string& setting : options.settings) {
        const std::string error = snapshot::applySetting(effect, setting, options.normalised);
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            stopInstance(effect);
            return 2;
        }
    }

    bool written = false;
    long sampleClock = 0;
    for (int frame = 0; frame < options.frames; ++frame) {
        processOneFrame(effect, sampleClock);
        VSTGUI::COffscreenContext context(nullptr, snapshot::kPanelWidth, snapshot::kPanelHeight);
        snapshot::drawPanelFrame(effect, context);
        if (frame + 1 == options.frames) written = context.getBitmap()->writePng(options.output.c_str());
    }
    stopInstance(effect);
    if (!written) {
        std::fprintf(stderr, "could not write %s\n", options.output.c_str());
        return 1;
    }
    std::printf("%s\n", options.output.c_str());
    return 0;
}
