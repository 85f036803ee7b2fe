// Orbitone.dll as a Windows host meets it: LoadLibrary, the three entry points, the interface
// record, the dispatcher's names, the state chunk and processing against the reference gains.
// Usage: BoundaryCheck <path to Orbitone.dll>
#include <cstring>

#include "tests/windows/CheckReport.h"
#include "tests/windows/PluginHost.h"

namespace {

constexpr int kSmoothing = 6;
constexpr int kLeftRight1 = 0;
constexpr int kAnimation1 = 11;
constexpr int kSpeed1 = 12;
constexpr double kMonoSum = 2 * 0.708;  // both inputs at 1, one input
enum Output { L = 0, R, C, LFE, Ls, Rs };

void checkEntryPoints(CheckReport& report, const PluginModule& module) {
    report.check(module.entry("VSTPluginMain") != nullptr, "VSTPluginMain is exported");
    report.check(module.entry("main") == module.entry("VSTPluginMain"), "main is the same function");
    report.check(module.entry("MAIN") != nullptr, "MAIN is exported");
    for (const char* name : {"VSTPluginMain", "main", "MAIN"}) {
        PluginInstance plugin(module, name);
        report.check(plugin.effect() && plugin.effect()->numParams == 23,
                     std::string(name) + " makes an instance");
    }
}

void checkRecord(CheckReport& report, const PluginModule& module) {
    PluginInstance plugin(module);
    AEffect* e = plugin.effect();
    if (!report.check(e != nullptr, "an instance exists")) return;
    report.equal<int32_t>(e->magic, 0x56737450, "magic 'VstP'");
    report.equal<int32_t>(e->numInputs, 6, "6 inputs");
    report.equal<int32_t>(e->numOutputs, 6, "6 outputs");
    report.equal<int32_t>(e->numPrograms, 1, "1 program");
    report.equal<int32_t>(e->numParams, 23, "23 parameters");
    report.equal<int32_t>(e->flags, 0x1031, "flags editor, replacing, chunks, double replacing");
    report.equal<int32_t>(e->uniqueID, ('O' << 24) | ('b' << 16) | ('2' << 8) | '1', "unique ID 'Ob21'");
    report.equal(plugin.text(effGetEffectName), std::string("Orbitone"), "effect name");
    report.equal(plugin.text(effGetVendorString), std::string("Velmora"), "vendor");
    report.equal(plugin.text(effGetProductString), std::string("Orbitone 2.1"), "product");
    report.equal<intptr_t>(plugin.dispatch(effGetVendorVersion), 1000, "vendor version");
    report.equal(plugin.text(effGetParamName, kSmoothing), std::string("Smoothing Time [ms]"),
                 "parameter 6 name");
    report.equal<intptr_t>(plugin.dispatch(effGetVstVersion), 2400, "VST version");
}

std::vector<unsigned char> chunkOf(PluginInstance& plugin) {
    void* data = nullptr;
    const intptr_t size = plugin.dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

void checkChunk(CheckReport& report, const PluginModule& module) {
    PluginInstance source(module);
    source.start();
    source.effect()->setParameter(source.effect(), kLeftRight1, 0.25f);
    std::vector<unsigned char> chunk = chunkOf(source);
    report.equal<size_t>(chunk.size(), 260, "chunk is 260 bytes");
    float marker = 0;
    if (chunk.size() >= 4) std::memcpy(&marker, chunk.data(), 4);
    report.equal(marker, -1000.0f, "chunk starts with -1000.0f");

    PluginInstance target(module);
    target.start();
    target.dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data());
    report.approx(target.effect()->getParameter(target.effect(), kLeftRight1), 0.25, 1e-6,
                  "restored chunk sets the parameter");
    report.check(chunkOf(target) == chunk, "restored chunk reads back byte for byte");
}

template <typename Blocks>
void checkGains(CheckReport& report, const Blocks& out, const char* precision) {
    const std::string p = std::string(" (") + precision + ")";
    auto gain = [&](int channel) {
        return static_cast<double>(out[static_cast<size_t>(channel)].back()) / kMonoSum;
    };
    report.approx(gain(L), 0.293, 0.001, "L gain in the centre" + p);
    report.approx(gain(R), 0.293, 0.001, "R gain in the centre" + p);
    report.approx(gain(C), 0.293, 0.001, "C gain in the centre" + p);
    report.approx(gain(Ls), 0.5, 0.001, "Ls gain in the centre" + p);
    report.approx(gain(Rs), 0.5, 0.001, "Rs gain in the centre" + p);
    report.approx(gain(LFE), 0, 1e-9, "LFE silent without send" + p);
}

void checkProcessing(CheckReport& report, const PluginModule& module) {
    PluginInstance plugin(module);
    plugin.effect()->setParameter(plugin.effect(), kSmoothing, 0);
    plugin.start();
    checkGains(report, plugin.process({1, 1, 0, 0, 0, 0}, 16), "single");
    checkGains(report, plugin.processDouble({1, 1, 0, 0, 0, 0}, 16), "double");
}

// Rotate at 1 rpm and 44.1 kHz: 15 seconds after the back centre the point is at the left middle,
// where L and Ls carry 0.707 each. Checks the engine's own sine and cosine on this target.
void checkMotion(CheckReport& report, const PluginModule& module) {
    PluginInstance plugin(module);
    plugin.effect()->setParameter(plugin.effect(), kSmoothing, 0);
    plugin.effect()->setParameter(plugin.effect(), kAnimation1, 0.25f);
    plugin.effect()->setParameter(plugin.effect(), kSpeed1, 61.0f / 120);
    plugin.setPlaying(true);
    plugin.start();
    for (int block = 0; block < 1292; ++block) plugin.process({1, 1, 0, 0, 0, 0}, 512);
    const auto out = plugin.process({1, 1, 0, 0, 0, 0}, 4);  // samples 661504 to 661507
    auto gain = [&](Output n) { return out[n].back() / kMonoSum; };
    report.approx(gain(L), 0.7071, 0.001, "Rotate reaches the left middle: L");
    report.approx(gain(Ls), 0.7071, 0.001, "Rotate reaches the left middle: Ls");
    report.approx(gain(R), 0, 0.001, "Rotate reaches the left middle: R");
    report.approx(gain(Rs), 0, 0.001, "Rotate reaches the left middle: Rs");
}

}  // namespace

int main(int argc, char** argv) {
    CheckReport report("BoundaryCheck");
    const PluginModule module(argc > 1 ? argv[1] : "Orbitone.dll");
    if (report.check(module.loaded(), "LoadLibrary opens the DLL")) {
        checkEntryPoints(report, module);
        checkRecord(report, module);
        checkChunk(report, module);
        checkProcessing(report, module);
        checkMotion(report, module);
    }
    return report.finish();
}
