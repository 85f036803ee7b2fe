#include "tools/render/CommandLine.h"

#include <functional>
#include <map>

#include "tools/render/RenderError.h"
#include "tools/settings/TextUtil.h"

namespace render {

using settings::equalsIgnoringCase;
using settings::parseInteger;
using settings::parseNumber;
using settings::startsWith;

namespace {

[[noreturn]] void badUsage(const std::string& why) {
    throw RenderError(ExitCode::usage, why + " (see --help)");
}

double numberOption(const std::string& option, const std::string& value) {
    double number = 0;
    if (!parseNumber(value, number)) badUsage(option + " expects a number, got '" + value + "'");
    return number;
}

int blockSizeOption(const std::string& value) {
    long frames = 0;
    if (!parseInteger(value, frames) || frames < 1 || frames > 1 << 20)
        badUsage("--block expects a frame count from 1 to 1048576, got '" + value + "'");
    return static_cast<int>(frames);
}

SampleFormat bitsOption(const std::string& value) {
    if (value == "16") return SampleFormat::pcm16;
    if (value == "24") return SampleFormat::pcm24;
    if (value == "32f" || value == "float" || value == "32") return SampleFormat::float32;
    badUsage("--bits expects 16, 24 or float, got '" + value + "'");
}

OutputFormat formatOption(const std::string& value) {
    if (equalsIgnoringCase(value, "wav")) return OutputFormat::wav;
    if (equalsIgnoringCase(value, "flac")) return OutputFormat::flac;
    badUsage("--format expects wav or flac, got '" + value + "'");
}

void timeSignatureOption(const std::string& value, TransportSettings& transport) {
    const auto slash = value.find('/');
    long numerator = 0, denominator = 0;
    if (slash == std::string::npos || !parseInteger(value.substr(0, slash), numerator) ||
        !parseInteger(value.substr(slash + 1), denominator) || numerator < 1 || denominator < 1 ||
        numerator > 64 || denominator > 64)
        badUsage("--time-signature expects N/D such as 4/4, got '" + value + "'");
    transport.timeSigNumerator = static_cast<int>(numerator);
    transport.timeSigDenominator = static_cast<int>(denominator);
}

using ValueHandler = std::function<void(RenderOptions&, const std::string&)>;
using FlagHandler = std::function<void(RenderOptions&)>;

const std::map<std::string, ValueHandler>& valueOptions() {
    static const std::map<std::string, ValueHandler> options = {
        {"--output", [](RenderOptions& o, const std::string& v) { o.outputPath = v; }},
        {"--module", [](RenderOptions& o, const std::string& v) { o.modulePath = v; }},
        {"--param",
         [](RenderOptions& o, const std::string& v) {
             try {
                 o.parameters.push_back(ParameterAssignment::parse(v));
             } catch (const RenderError& e) {
                 badUsage(std::string("--param: ") + e.what());
             }
         }},
        {"--automation", [](RenderOptions& o, const std::string& v) { o.automationPath = v; }},
        {"--load-preset", [](RenderOptions& o, const std::string& v) { o.loadPresetPath = v; }},
        {"--save-preset", [](RenderOptions& o, const std::string& v) { o.savePresetPath = v; }},
        {"--snapshot", [](RenderOptions& o, const std::string& v) { o.snapshotPath = v; }},
        {"--block", [](RenderOptions& o, const std::string& v) { o.blockSize = blockSizeOption(v); }},
        {"--bits", [](RenderOptions& o, const std::string& v) { o.sampleFormat = bitsOption(v); }},
        {"--format", [](RenderOptions& o, const std::string& v) { o.outputFormat = formatOption(v); }},
        {"--tempo",
         [](RenderOptions& o, const std::string& v) {
             o.transport.tempo = numberOption("--tempo", v);
             if (o.transport.tempo <= 0 || o.transport.tempo > 999) badUsage("--tempo must lie in (0, 999]");
         }},
        {"--start-ppq", [](RenderOptions& o,
                           const std::string& v) { o.transport.startPpq = numberOption("--start-ppq", v); }},
        {"--time-signature",
         [](RenderOptions& o, const std::string& v) { timeSignatureOption(v, o.transport); }},
        {"--seconds",
         [](RenderOptions& o, const std::string& v) {
             o.defaultSignalSeconds = numberOption("--seconds", v);
             if (o.defaultSignalSeconds <= 0 || o.defaultSignalSeconds > 3600)
                 badUsage("--seconds must lie in (0, 3600]");
         }},
    };
    return options;
}

const std::map<std::string, FlagHandler>& flagOptions() {
    static const std::map<std::string, FlagHandler> options = {
        {"--list-params", [](RenderOptions& o) { o.listParams = true; }},
        {"--stopped", [](RenderOptions& o) { o.transport.playing = false; }},
        {"--playing", [](RenderOptions& o) { o.transport.playing = true; }},
        {"--recording", [](RenderOptions& o) { o.transport.recording = true; }},
        {"--quiet", [](RenderOptions& o) { o.quiet = true; }},
        {"--help", [](RenderOptions& o) { o.showHelp = true; }},
    };
    return options;
}

std::string longName(const std::string& option) {
    static const std::map<std::string, std::string> shortNames = {
        {"-o", "--output"}, {"-m", "--module"}, {"-p", "--param"}, {"-a", "--automation"},
        {"-b", "--block"},  {"-q", "--quiet"},  {"-h", "--help"},
    };
    const auto found = shortNames.find(option);
    return found == shortNames.end() ? option : found->second;
}

}  // namespace

RenderOptions CommandLine::parse(const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument[0] != '-') {
            positional.push_back(argument);
            continue;
        }
        std::string name = argument, value;
        bool hasValue = false;
        const auto equals = argument.find('=');
        if (startsWith(argument, "--") && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            hasValue = true;
        }
        name = longName(name);
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end()) {
            if (hasValue) badUsage(name + " takes no value");
            flag->second(options);
        } else if (const auto valued = valueOptions().find(name); valued != valueOptions().end()) {
            if (!hasValue) {
                if (i + 1 >= arguments.size()) badUsage(name + " needs a value");
                value = arguments[++i];
            }
            valued->second(options, value);
        } else {
            badUsage("unknown option " + argument);
        }
    }
    if (positional.size() > 2) badUsage("too many file names: expected INPUT and OUTPUT at most");
    if (!positional.empty()) options.inputPath = positional[0];
    if (positional.size() == 2) {
        if (!options.outputPath.empty()) badUsage("the output is given twice");
        options.outputPath = positional[1];
    }
    return options;
}

std::string CommandLine::usage() {
    return R"(Usage: orbitone-render [options] [INPUT [OUTPUT]]

Renders INPUT (any format libsndfile reads) through a VST 2.4 plug-in into a 5.1 file.
Without INPUT it renders a generated stereo signal (a tone on the left, noise bursts on the
right) with both inputs rotating while the transport plays, into demo-5.1.wav.

  -o, --output FILE          output file (default: INPUT's name with -5.1.wav)
  -m, --module PATH          plug-in module (default: Orbitone.so beside this program,
                             else in ../lib/vst/ from it)
  -p, --param NAME=VALUE     set a parameter before rendering; NAME is a name, NAME#2 for the
                             second parameter of that name, or an index; VALUE is the text the
                             plug-in displays ("Animation=Rotate", "Smoothing Time [ms]=250")
                             or norm:X for a normalised value from 0 to 1 (repeatable)
      --list-params          print index, name, value and display text of every parameter
  -a, --automation FILE      parameter changes over time: lines "SECONDS NAME=VALUE", '#' comments
      --load-preset FILE     load a .fxp program or .fxb bank before rendering
      --save-preset FILE     save the plug-in's state after rendering as .fxp
      --snapshot FILE        draw Orbitone's editor panel as it stands after rendering into a
                             1130x540 PNG (through orbitone-snapshot beside this program)
      --format wav|flac      output container (default: from OUTPUT's extension, else wav)
      --bits 16|24|float     sample format (default: float for WAV, 24 for FLAC)
  -b, --block N              frames per processing call (default 512)
      --tempo BPM            transport tempo (default 120)
      --start-ppq Q          transport start position in quarter notes (default 0)
      --time-signature N/D   (default 4/4)
      --stopped              render with the transport stopped (default: playing)
      --recording            report the transport as recording
      --seconds S            length of the generated signal (default 8)
  -q, --quiet                no progress and no summary
  -h, --help                 this text

Exit codes: 0 done, 1 bad command line, 2 input missing or unreadable, 3 plug-in module
problem, 4 unknown parameter or value, 5 preset refused, 6 automation file error,
7 output not written, 8 panel snapshot not possible or not written (the rendered
file is kept), 130 interrupted.
)";
}

}  // namespace render
