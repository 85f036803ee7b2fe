#include "tools/render/RenderSession.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/render/AutomationFile.h"
#include "tools/render/DefaultSignal.h"
#include "tools/render/InstallLayout.h"
#include "tools/render/Interruption.h"
#include "tools/render/PanelSnapshot.h"
#include "tools/render/ParameterResolver.h"
#include "tools/render/PeakMeter.h"
#include "tools/render/PresetTransfer.h"
#include "tools/render/ProgressReporter.h"
#include "tools/render/RenderError.h"
#include "tools/render/SoundFileSink.h"
#include "tools/render/SoundFileSource.h"

namespace render {

namespace {

// The generated demo: both inputs placed separately and circling in opposite directions, two
// turns in eight seconds. Settings the module does not have are left out.
const char* const kDemoSettings[] = {
    "Input Channels=2", "Animation=Rotate", "Speed=15", "Animation#2=Rotate", "Speed#2=-15",
};

const char* const kDefaultOutput = "demo-5.1.wav";

std::string absolutePath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : path;
}

std::string withoutExtension(const std::string& path) {
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

}  // namespace

RenderSession::RenderSession(const RenderOptions& options) : options_(options) {}

// Instances go before the module that holds their code.
RenderSession::~RenderSession() {
    plugin_.reset();
    probe_.reset();
}

void RenderSession::run() {
    openSource();
    openPlugin();
    if (!options_.snapshotPath.empty()) checkPanelSnapshotPossible(*plugin_);
    applySettings();
    if (options_.listParams) {
        listParameters();
        return;
    }
    render(loadAutomation());
    if (!options_.savePresetPath.empty()) savePreset();
    if (!options_.snapshotPath.empty()) writeSnapshot();
    if (options_.inputPath.empty() && !options_.quiet) describeModuleInstall();
}

void RenderSession::openSource() {
    if (options_.inputPath.empty())
        source_ = std::make_unique<DefaultSignal>(options_.defaultSignalSeconds);
    else
        source_ = std::make_unique<SoundFileSource>(options_.inputPath);
}

void RenderSession::openPlugin() {
    module_ = std::make_unique<PluginModule>(options_.modulePath.empty() ? defaultModulePath()
                                                                         : options_.modulePath);
    const double rate = source_->sampleRate();
    host_.setTransport(SimulatedTransport(options_.transport, rate));
    host_.setSampleRate(rate);
    host_.setBlockSize(options_.blockSize);
    plugin_ = std::make_unique<PluginInstance>(*module_, host_);
    plugin_->configure(rate, options_.blockSize);
    if (plugin_->numOutputs() < 1)
        throw RenderError(ExitCode::module, module_->path() + ": the plug-in has no audio outputs");
    probe_ = std::make_unique<PluginInstance>(*module_, probeHost_);
    probe_->configure(rate, options_.blockSize);
}

void RenderSession::applySettings() {
    const ParameterResolver resolver(*probe_);
    if (options_.inputPath.empty() && !options_.listParams)
        for (const char* setting : kDemoSettings) {
            const ParameterAssignment assignment = ParameterAssignment::parse(setting);
            if (!resolver.has(assignment.parameter)) continue;
            const ResolvedParameter resolved = resolver.resolve(assignment);
            plugin_->setParameter(resolved.index, resolved.value);
        }
    if (!options_.loadPresetPath.empty()) {
        try {
            applyPreset(PresetFile::load(options_.loadPresetPath), *plugin_);
        } catch (const RenderError& error) {
            const std::string what = error.what();
            const bool named = what.compare(0, options_.loadPresetPath.size(), options_.loadPresetPath) == 0;
            throw RenderError(ExitCode::preset, named ? what : options_.loadPresetPath + ": " + what);
        }
    }
    for (const ParameterAssignment& assignment : options_.parameters) {
        const ResolvedParameter resolved = resolver.resolve(assignment);
        plugin_->setParameter(resolved.index, resolved.value);
    }
}

std::vector<RenderSession::TimedChange> RenderSession::loadAutomation() const {
    if (options_.automationPath.empty()) return {};
    const ParameterResolver resolver(*probe_);
    std::vector<TimedChange> changes;
    for (const AutomationEvent& event : AutomationFile::load(options_.automationPath)) {
        try {
            const ResolvedParameter resolved = resolver.resolve(event.assignment);
            const auto frame = static_cast<int64_t>(std::llround(event.seconds * source_->sampleRate()));
            changes.push_back({frame, resolved.index, resolved.value});
        } catch (const RenderError& error) {
            throw RenderError(ExitCode::automation, options_.automationPath + ":" +
                                                        std::to_string(event.line) + ": " + error.what());
        }
    }
    return changes;
}

void RenderSession::listParameters() const {
    std::printf("%5s  %-34s %-10s %s\n", "index", "name", "value", "display");
    for (int i = 0; i < plugin_->numParams(); ++i) {
        std::string display = plugin_->parameterDisplay(i);
        const std::string label = plugin_->parameterLabel(i);
        if (!label.empty()) display += " " + label;
        std::printf("%5d  %-34s %-10.6f %s\n", i, plugin_->parameterName(i).c_str(), plugin_->parameter(i),
                    display.c_str());
    }
}

std::string RenderSession::outputPath() const {
    if (!options_.outputPath.empty()) return options_.outputPath;
    if (options_.inputPath.empty()) return kDefaultOutput;
    const bool flac = options_.outputFormat == OutputFormat::flac;
    return withoutExtension(options_.inputPath) + (flac ? "-5.1.flac" : "-5.1.wav");
}

void RenderSession::render(const std::vector<TimedChange>& changes) {
    const std::string path = outputPath();
    const OutputFormat format = SoundFileSink::resolveFormat(path, options_.outputFormat);
    const SampleFormat samples = SoundFileSink::resolveSampleFormat(format, options_.sampleFormat);
    const int block = options_.blockSize;
    const int sourceChannels = source_->channels();
    const int inputs = plugin_->numInputs(), outputs = plugin_->numOutputs();
    if (sourceChannels > inputs && !options_.quiet)
        std::fprintf(stderr, "note: the plug-in takes %d inputs; input channels beyond that are left out\n",
                     inputs);

    SoundFileSink sink(path, format, samples, outputs, static_cast<int>(source_->sampleRate()));
    std::vector<std::vector<float>> in(static_cast<size_t>(std::max(inputs, 1)), std::vector<float>(block));
    std::vector<std::vector<float>> out(static_cast<size_t>(outputs), std::vector<float>(block));
    std::vector<float*> inPointers, outPointers;
    for (auto& channel : in) inPointers.push_back(channel.data());
    for (auto& channel : out) outPointers.push_back(channel.data());
    std::vector<float> fileFrames(static_cast<size_t>(block) * sourceChannels);
    std::vector<float> outFrames(static_cast<size_t>(block) * outputs);

    PeakMeter meter(outputs);
    ProgressReporter progress(source_->frames(), source_->sampleRate(), !options_.quiet);
    installInterruptionHandlers();
    plugin_->resume();
    int64_t done = 0;
    size_t nextChange = 0;
    for (;;) {
        // Blocks end where automation changes, so every change lands on its own frame.
        while (nextChange < changes.size() && changes[nextChange].frame <= done) {
            plugin_->setParameter(changes[nextChange].index, changes[nextChange].value);
            ++nextChange;
        }
        int64_t wanted = block;
        if (nextChange < changes.size()) wanted = std::min<int64_t>(wanted, changes[nextChange].frame - done);
        const int64_t frames = source_->read(fileFrames.data(), wanted);
        if (frames <= 0) break;
        for (int c = 0; c < inputs; ++c)
            for (int64_t i = 0; i < frames; ++i)
                in[static_cast<size_t>(c)][static_cast<size_t>(i)] =
                    c < sourceChannels ? fileFrames[static_cast<size_t>(i * sourceChannels + c)] : 0.0f;
        plugin_->processReplacing(inPointers.data(), outPointers.data(), static_cast<int32_t>(frames));
        host_.transport().advance(frames);
        meter.measure(outPointers.data(), frames);
        for (int64_t i = 0; i < frames; ++i)
            for (int c = 0; c < outputs; ++c)
                outFrames[static_cast<size_t>(i * outputs + c)] =
                    out[static_cast<size_t>(c)][static_cast<size_t>(i)];
        sink.write(outFrames.data(), frames);
        done += frames;
        progress.update(done);
        if (interruptionRequested()) throw RenderError(ExitCode::interrupted, "interrupted; nothing written");
    }
    plugin_->suspend();
    sink.commit();
    progress.finish();
    if (options_.quiet) return;
    std::printf("wrote %s (%s, %d channels, %d Hz, %.2f s)\n", absolutePath(path).c_str(),
                SoundFileSink::describe(format, samples).c_str(), outputs,
                static_cast<int>(source_->sampleRate()), done / source_->sampleRate());
    std::printf("peak levels:\n%s", meter.summary().c_str());
}

void RenderSession::savePreset() const {
    captureProgram(*plugin_).save(options_.savePresetPath);
    if (!options_.quiet) std::printf("saved preset %s\n", options_.savePresetPath.c_str());
}

void RenderSession::writeSnapshot() const {
    writePanelSnapshot(*plugin_, options_.snapshotPath);
    if (!options_.quiet) std::printf("panel snapshot %s\n", absolutePath(options_.snapshotPath).c_str());
}

}  // namespace render

namespace render {

// The demo's last word: where the module is, for trying it in a DAW.
void RenderSession::describeModuleInstall() const {
    std::printf(
        "plug-in module: %s\n"
        "To load it in a DAW, copy it into a VST folder the DAW scans: ~/.vst or /usr/lib/vst on Linux.\n"
        "The Windows build (Orbitone.dll) goes to C:\\Program Files\\VSTPlugins or\n"
        "C:\\Program Files\\Steinberg\\VstPlugins.\n",
        absolutePath(module_->path()).c_str());
}

}  // namespace render
