// The adapter kit on an adapter of no format: the block split at timed changes, the typed calls on a
// table without entries, the instance assembly and the panel's window record.
#include <gtest/gtest.h>

#include <vector>

#include "plugin/bridge/AdapterKit.h"
#include "plugin/bridge/BlockSplit.h"
#include "plugin/bridge/EditorLink.h"
#include "plugin/bridge/InstanceAssembly.h"
#include "runtime/Quill.h"

namespace {

// Two channels: output 0 is input 0 doubled, output 1 the slider's value at that frame; each block
// section records the frame it starts at.
class SplitProbe : public TQuill {
  public:
    SplitProbe() { AddSlider(1, nullptr, 0, 0, 10, 1, "", "", "", "Level"); }
    ~SplitProbe() override {
        if (destroyed != nullptr) *destroyed = true;
    }
    void DoBlock() override { blockStarts.push_back(frame); }
    void DoSample() override {
        spl[0] *= 2;
        spl[1] = sliders[1];
        ++frame;
    }
    std::vector<int> blockStarts;
    int frame = 0;
    bool* destroyed = nullptr;
};

// An adapter of no format: the kit answers everything but the transport and automation.
class KitAdapter : public CAdapterKit {
  public:
    KitAdapter(TQuill* effect, const LumoBridge& bridge) : CAdapterKit(effect, bridge) { declareInputs(2); }
    ~KitAdapter() override { calls.destroy(); }
    bool hostTime(int32_t, HostTime&) override { return false; }
    void automateParameter(int32_t, double) override {}
};

// Hands out a fixed list and records when each transport change came due.
class ListedChanges : public ITimedChanges {
  public:
    explicit ListedChanges(std::vector<TimedChange> list, const SplitProbe& probe)
        : list_(list), probe_(probe) {}
    bool next(TimedChange& change) override {
        if (at_ == list_.size()) return false;
        change = list_[at_++];
        return true;
    }
    void transportDue() override { transportFrames.push_back(probe_.frame); }
    void processed(uint32_t frames) override { spans.push_back(static_cast<int>(frames)); }

    std::vector<int> transportFrames;
    std::vector<int> spans;

  private:
    std::vector<TimedChange> list_;
    size_t at_ = 0;
    const SplitProbe& probe_;
};

TimedChange parameterAt(int64_t frame, float value) {
    TimedChange change;
    change.frame = frame;
    change.value = value;
    return change;
}

TimedChange transportAt(int64_t frame) {
    TimedChange change;
    change.kind = TimedChange::Kind::kTransport;
    change.frame = frame;
    return change;
}

struct Kit {
    Kit()
        : probe(new SplitProbe),
          adapter(
              assembleInstance(probe, [](TQuill* e, const LumoBridge& b) { return new KitAdapter(e, b); })) {}
    ~Kit() { delete adapter; }
    SplitProbe* probe;
    KitAdapter* adapter;
};

TEST(AdapterKit, TheSplitProcessesBetweenChangesAndAppliesEachAtItsFrame) {
    Kit kit;
    ASSERT_EQ(kit.probe->adapter, kit.adapter);
    constexpr uint32_t kFrames = 16;
    std::vector<float> in(kFrames), out0(kFrames), out1(kFrames), unused(kFrames);
    for (uint32_t j = 0; j < kFrames; ++j) in[j] = static_cast<float>(j);
    float* inputs[] = {in.data(), unused.data()};
    float* outputs[] = {out0.data(), out1.data()};
    // Two changes at frame 3, one at 10, one out of order and one past the end: both of those are
    // taken where the block stands.
    ListedChanges changes(
        {parameterAt(3, 0.5f), transportAt(3), transportAt(10), parameterAt(5, 0.8f), transportAt(99)},
        *kit.probe);
    runSplitBlock(*kit.adapter, inputs, outputs, 2, kFrames, changes);

    EXPECT_EQ(kit.probe->blockStarts, (std::vector<int>{0, 3, 10}));
    EXPECT_EQ(changes.spans, (std::vector<int>{3, 7, 6}));
    EXPECT_EQ(changes.transportFrames, (std::vector<int>{3, 10, 16}));
    for (uint32_t j = 0; j < kFrames; ++j) {
        EXPECT_EQ(out0[j], 2.0f * j) << j;
        EXPECT_EQ(out1[j], j < 3 ? 0.0f : j < 10 ? 5.0f : 8.0f) << j;
    }
}

TEST(AdapterKit, ASplitWithoutChangesOrFramesIsOneBlockOrNone) {
    Kit kit;
    float in[4] = {1, 2, 3, 4}, out[4] = {};
    float* inputs[] = {in, in};
    float* outputs[] = {out, out};
    ListedChanges none({}, *kit.probe);
    runSplitBlock(*kit.adapter, inputs, outputs, 2, 0, none);
    EXPECT_TRUE(kit.probe->blockStarts.empty());
    runSplitBlock(*kit.adapter, inputs, outputs, 2, 4, none);
    EXPECT_EQ(none.spans, (std::vector<int>{4}));
    // Missing buffers reach the processing entry as missing, which runs the block section only.
    float* const* missing = nullptr;
    runSplitBlock(*kit.adapter, missing, missing, 2, 4, none);
    EXPECT_EQ(kit.probe->blockStarts.size(), 2u);
    EXPECT_EQ(kit.probe->frame, 4);
}

TEST(AdapterKit, CallsOnATableWithoutEntriesAnswerNothing) {
    KitAdapter adapter(nullptr, LumoBridge{});
    const BridgeCalls& calls = adapter.calls;
    char text[64] = "kept";
    void* data = nullptr;
    float* buffers[2] = {};
    calls.open();
    calls.process(buffers, buffers, 16);
    calls.mouseDown(1, 2, 2);
    EXPECT_EQ(calls.parameter(0), 0.0f);
    EXPECT_FALSE(calls.effectName(text));
    EXPECT_FALSE(calls.programNameIndexed(0, 0, text));
    EXPECT_EQ(calls.vendorVersion(), 0);
    EXPECT_EQ(calls.getChunk(&data, false), 0);
    EXPECT_EQ(calls.setChunk(text, 4, false), 0);
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(data, nullptr);
}

TEST(AdapterKit, AnEffectNoAdapterTakesIsDestroyed) {
    bool destroyed = false;
    auto* probe = new SplitProbe;
    probe->destroyed = &destroyed;
    KitAdapter* none =
        assembleInstance(probe, [](TQuill*, const LumoBridge&) -> KitAdapter* { return nullptr; });
    EXPECT_EQ(none, nullptr);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(assembleInstance(nullptr, [](TQuill* e, const LumoBridge& b) { return new KitAdapter(e, b); }),
              nullptr);
}

TEST(AdapterKit, AProcessingSetUpWithoutABlockSizeKeepsTheOneBefore) {
    Kit kit;
    EXPECT_EQ(kit.adapter->hostBlockSize(), 1024);
    kit.adapter->setProcessing(48000, 256);
    kit.adapter->setProcessing(96000, 0);
    EXPECT_EQ(kit.adapter->hostSampleRate(), 96000.0f);
    EXPECT_EQ(kit.adapter->hostBlockSize(), 256);
}

class CountingWindow : public IEditorLink {
  public:
    int32_t redraw() override { return ++redraws; }
    int32_t redraws = 0;
};

TEST(AdapterKit, ThePanelIsDeclaredOnceAndRedrawsOnlyTheAttachedWindow) {
    Kit kit;
    int32_t width = 0, height = 0;
    EXPECT_FALSE(kit.adapter->editorSize(width, height));
    EXPECT_EQ(kit.adapter->createEditor(300, 200), 1);
    EXPECT_EQ(kit.adapter->createEditor(10, 10), 0);
    ASSERT_TRUE(kit.adapter->editorSize(width, height));
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 200);

    CountingWindow window, other;
    EXPECT_EQ(kit.adapter->redrawEditor(), 0);
    kit.adapter->attachWindow(&window);
    EXPECT_EQ(kit.adapter->redrawEditor(), 1);
    kit.adapter->detachWindow(&other);
    EXPECT_EQ(kit.adapter->redrawEditor(), 2);
    kit.adapter->detachWindow(&window);
    EXPECT_EQ(kit.adapter->redrawEditor(), 0);
    EXPECT_EQ(other.redraws, 0);
}

}  // namespace
