// The Windows VST 3 module as a Windows host meets it, through the suite's VST 3 test host: the
// load entries, the factory's class, processing bit for bit against Orbitone.dll in both precisions
// with the transport rolling, the state chunk and a refused stream, and the editor view in a host
// window, which needs a display (--gtest_filter=-*View* leaves it out).
// Usage: Vst3Check <path to Orbitone.vst3 (the DLL)> <path to Orbitone.dll>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/TestHost.h"
#include "tests/vst3/Vst3TestHost.h"
#include "tests/windows/CheckMain.h"
#include "tests/windows/HostWindow.h"

namespace {

constexpr int32_t kBlock = 512;
constexpr v3_result kTrue = static_cast<v3_result>(V3_TRUE);

// Parameter index, its value in its own units, and the VST 2.4 normalised value of the same.
struct Setting {
    int32_t index;
    double plain;
    float vst2;
};
const Setting kSettings[] = {{0, 30, 0.65f}, {1, -40, 0.3f}, {6, 0, 0.0f},
                             {9, 1, 1.0f},   {11, 1, 0.25f}, {17, 2, 0.5f}};

const TestModule& vst2Dll() {
    static const TestModule module(checkArgument(1, "Orbitone.dll"));
    return module;
}

v3_plugin_factory** vst3Module() {
    static v3_plugin_factory** factory = [] {
        vst3test::useModule(checkArgument(0, "Orbitone.vst3"));
        return vst3test::loadVst3Module(checkArgument(0, "Orbitone.vst3"));
    }();
    return factory;
}

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

template <typename Sample>
void expectSameAsVst2(bool doublePrecision) {
    ASSERT_NE(vst3Module(), nullptr);
    ASSERT_TRUE(vst2Dll().loaded());
    vst3test::Instance vst3(44100, kBlock, doublePrecision);
    TestInstance vst2(vst2Dll(), "VSTPluginMain");
    vst2.start(44100, kBlock);
    vst2.host().time.tempo = 120;
    vst2.setPlaying(true);
    vst3.setTransport(true);
    for (const Setting& s : kSettings) {
        vst2.setParameter(s.index, s.vst2);
        const auto id = static_cast<v3_param_id>(s.index);
        vst3.set(id, vst3.controllerCalls().ctrl.plain_parameter_to_normalised(vst3.controller, id, s.plain));
    }
    std::vector<std::vector<Sample>> first, last;
    for (int b = 0; b < 20; ++b) {
        const std::vector<Sample> left(kBlock, Sample(0.5)), right(kBlock, Sample(-0.25));
        bool same = false;
        if constexpr (sizeof(Sample) == sizeof(double)) {
            last = vst3.processDouble(left, right);
            same = sameBits(last, vst2.processDouble({0.5, -0.25, 0, 0, 0, 0}, kBlock));
        } else {
            last = vst3.process(left, right);
            same = sameBits(last, vst2.process({0.5f, -0.25f, 0, 0, 0, 0}, kBlock));
        }
        ASSERT_TRUE(same) << "block " << b;
        if (b == 0) first = last;
    }
    EXPECT_FALSE(sameBits(first, last)) << "the channels move while the transport rolls";
}

}  // namespace

TEST(Vst3Module, LoadsThroughItsEntriesWithOneSurroundClass) {
    v3_plugin_factory** f = vst3Module();
    ASSERT_NE(f, nullptr) << "GetPluginFactory, InitDll and ExitDll exported, InitDll succeeding";
    const auto& calls = **reinterpret_cast<v3_plugin_factory_cpp**>(f);
    EXPECT_EQ(calls.v1.num_classes(f), 1);
    v3_class_info_2 info{};
    ASSERT_EQ(calls.v2.get_class_info_2(f, 0, &info), V3_OK);
    EXPECT_STREQ(info.category, "Audio Module Class");
    EXPECT_STREQ(info.name, "Orbitone");
    EXPECT_STREQ(info.sub_categories, "Fx|Spatial|Surround");
}

TEST(Vst3Module, ProcessesAsOrbitoneDllIn32Bits) {
    expectSameAsVst2<float>(false);
}

TEST(Vst3Module, ProcessesAsOrbitoneDllIn64Bits) {
    expectSameAsVst2<double>(true);
}

TEST(Vst3Module, StateIsTheChunkAndGarbageIsRefused) {
    ASSERT_NE(vst3Module(), nullptr);
    vst3test::Instance vst3;
    const std::vector<unsigned char> chunk = vst3.state();
    EXPECT_EQ(chunk.size(), 260u);
    vst3test::MemoryStream garbage(std::vector<unsigned char>(260, 0x5A));
    EXPECT_NE(vst3.setState(garbage), V3_OK);
    EXPECT_EQ(vst3.state(), chunk);
    vst3test::MemoryStream same(chunk);
    EXPECT_EQ(vst3.setState(same), V3_OK);
}

// A child window of the panel's size in the host's HWND, gone again once the view is removed.
TEST(Vst3Module, ViewOpensInAHostWindow) {
    ASSERT_NE(vst3Module(), nullptr);
    vst3test::Instance vst3;
    HostWindow host("Vst3Check", 40, 40);
    auto* view = vst3.controllerCalls().ctrl.create_view(vst3.controller, "editor");
    ASSERT_NE(view, nullptr);
    const auto& calls = **reinterpret_cast<v3_plugin_view_cpp**>(view);
    EXPECT_EQ(calls.view.is_platform_type_supported(view, V3_VIEW_PLATFORM_TYPE_HWND), kTrue);
    ASSERT_EQ(calls.view.attached(view, host.handle(), V3_VIEW_PLATFORM_TYPE_HWND), V3_OK);
    HWND child = GetWindow(host.handle(), GW_CHILD);
    ASSERT_NE(child, nullptr);
    RECT area{};
    GetClientRect(child, &area);
    EXPECT_EQ(area.right, 1130);
    EXPECT_EQ(area.bottom, 540);
    pumpMessages();
    EXPECT_EQ(calls.view.removed(view), V3_OK);
    EXPECT_EQ(GetWindow(host.handle(), GW_CHILD), nullptr);
    calls.unref(view);
}
