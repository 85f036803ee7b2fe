// The Windows VST 3 module as a Windows host meets it, through the suite's VST 3 test host: the
// load entries, the factory's class, and processing bit for bit against Orbitone.dll in both
// precisions, with the transport rolling; the state chunk and a refused stream.
// With a third argument "view" it also opens the editor view in a host window (needs a display).
// Usage: Vst3Check <path to Orbitone.vst3 (the DLL)> <path to Orbitone.dll> [view]
#include <cstring>

#include "tests/vst3/Vst3TestHost.h"
#include "tests/windows/CheckReport.h"
#include "tests/windows/HostWindow.h"
#include "tests/windows/PluginHost.h"

namespace {

constexpr int32_t kBlock = 512;
constexpr v3_result kTrue = static_cast<v3_result>(V3_TRUE);
// Parameter index, value in its own units, the same as a VST 2.4 normalised value.
struct Setting {
    int32_t index;
    double plain;
    float vst2;
};
const Setting kSettings[] = {{0, 30, 0.65f}, {1, -40, 0.3f}, {6, 0, 0.0f},
                             {9, 1, 1.0f},   {11, 1, 0.25f}, {17, 2, 0.5f}};

template <typename Sample>
bool sameBits(const std::vector<std::vector<Sample>>& a, const std::vector<std::vector<Sample>>& b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k].size() != b[k].size() ||
            std::memcmp(a[k].data(), b[k].data(), a[k].size() * sizeof(Sample)) != 0)
            return false;
    }
    return true;
}

void checkClass(CheckReport& report) {
    v3_plugin_factory** f = vst3test::factory();
    const auto& calls = **reinterpret_cast<v3_plugin_factory_cpp**>(f);
    report.equal<int32_t>(calls.v1.num_classes(f), 1, "one class");
    v3_class_info_2 info{};
    report.check(calls.v2.get_class_info_2(f, 0, &info) == V3_OK, "class info 2");
    report.equal(std::string(info.category), std::string("Audio Module Class"), "category");
    report.equal(std::string(info.name), std::string("Orbitone"), "name");
    report.equal(std::string(info.sub_categories), std::string("Fx|Spatial|Surround"), "sub-categories");
}

template <typename Sample>
void checkProcessing(CheckReport& report, const PluginModule& vst2Module, bool doublePrecision) {
    const char* precision = doublePrecision ? "64-bit" : "32-bit";
    vst3test::Instance vst3(44100, kBlock, doublePrecision);
    PluginInstance vst2(vst2Module);
    vst2.start(44100, kBlock);
    vst2.setPlaying(true);
    vst3.setTransport(true);
    for (const Setting& s : kSettings) {
        vst2.effect()->setParameter(vst2.effect(), s.index, s.vst2);
        vst3.set(static_cast<v3_param_id>(s.index),
                 vst3.controllerCalls().ctrl.plain_parameter_to_normalised(
                     vst3.controller, static_cast<v3_param_id>(s.index), s.plain));
    }
    bool same = true;
    std::vector<std::vector<Sample>> first, last;
    for (int b = 0; b < 20 && same; ++b) {
        const std::vector<Sample> left(kBlock, Sample(0.5)), right(kBlock, Sample(-0.25));
        if constexpr (sizeof(Sample) == sizeof(double)) {
            last = vst3.processDouble(left, right);
            same = sameBits(last, vst2.processDouble({0.5, -0.25, 0, 0, 0, 0}, kBlock));
        } else {
            last = vst3.process(left, right);
            same = sameBits(last, vst2.process({0.5f, -0.25f, 0, 0, 0, 0}, kBlock));
        }
        if (b == 0) first = last;
    }
    report.check(same, std::string(precision) + " processing equals Orbitone.dll bit for bit");
    report.check(!sameBits(first, last),
                 std::string(precision) + ": the channels move while the transport rolls");
}

void checkState(CheckReport& report) {
    vst3test::Instance vst3;
    const std::vector<unsigned char> chunk = vst3.state();
    report.equal<size_t>(chunk.size(), 260, "the state is the 260-byte chunk");
    vst3test::MemoryStream garbage(std::vector<unsigned char>(260, 0x5A));
    report.check(vst3.setState(garbage) != V3_OK && vst3.state() == chunk, "a garbled state is refused");
    vst3test::MemoryStream same(chunk);
    report.check(vst3.setState(same) == V3_OK, "its own state is taken");
}

// The view in a host window: a child window of the panel's size, painted from the GUI thread's own
// timer (no host idle), gone again once removed.
void checkView(CheckReport& report) {
    vst3test::Instance vst3;
    HostWindow host("Vst3Check", 40, 40);
    auto* view = vst3.controllerCalls().ctrl.create_view(vst3.controller, "editor");
    if (!report.check(view != nullptr, "the controller makes an editor view")) return;
    const auto& calls = **reinterpret_cast<v3_plugin_view_cpp**>(view);
    report.check(calls.view.is_platform_type_supported(view, V3_VIEW_PLATFORM_TYPE_HWND) == kTrue,
                 "HWND is supported");
    report.check(calls.view.attached(view, host.handle(), V3_VIEW_PLATFORM_TYPE_HWND) == V3_OK, "attached");
    HWND child = GetWindow(host.handle(), GW_CHILD);
    RECT area{};
    if (child != nullptr) GetClientRect(child, &area);
    report.check(child != nullptr && area.right == 1130 && area.bottom == 540, "a 1130 x 540 child window");
    pumpMessages();
    report.check(calls.view.removed(view) == V3_OK && GetWindow(host.handle(), GW_CHILD) == nullptr,
                 "removed with its window");
    calls.unref(view);
}

}  // namespace

int main(int argc, char** argv) {
    CheckReport report("Vst3Check");
    if (argc < 3) {
        report.check(false, "usage: Vst3Check <Orbitone.vst3> <Orbitone.dll>");
        return report.finish();
    }
    vst3test::useModule(argv[1]);
    if (!report.check(
            vst3test::loadVst3Module(argv[1]) != nullptr,
            "the module loads, exports GetPluginFactory, InitDll and ExitDll, and InitDll succeeds"))
        return report.finish();
    PluginModule vst2(argv[2]);
    if (!report.check(vst2.loaded(), "Orbitone.dll loads")) return report.finish();
    checkClass(report);
    checkProcessing<float>(report, vst2, false);
    checkProcessing<double>(report, vst2, true);
    checkState(report);
    if (argc > 3 && std::strcmp(argv[3], "view") == 0) checkView(report);
    return report.finish();
}
