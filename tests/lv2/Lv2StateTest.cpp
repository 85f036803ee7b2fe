// State through lilv's state API: the VST edition's 260-byte chunk as one property, restored with the
// same tolerance, and the restored values winning over controls the host did not touch.
#include <gtest/gtest.h>
#include <lv2/state/state.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "tests/lv2/Lv2TestHost.h"
#include "tests/lv2/VstReference.h"

using namespace lv2test;

namespace {

constexpr int kBlock = 256;
const std::vector<float> kSilence(kBlock, 0.0f);

const Settings kSettings = {{0, -42.5f}, {1, 63},  {5, -9}, {6, 40},  {7, -20}, {9, 1},   {10, -2.5f},
                            {11, 2},     {12, 24}, {2, 15}, {3, -30}, {17, 4},  {18, -11}};

const void* portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type) {
    auto* instance = static_cast<Instance*>(user);
    const LilvPlugin* plugin = World::shared().plugin();
    LilvNode* name = lilv_new_string(World::shared().world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, name);
    lilv_node_free(name);
    if (port == nullptr) return nullptr;
    const uint32_t index = lilv_port_get_index(plugin, port);
    if (index < kFirstControl || index >= kFirstControl + kControls) return nullptr;
    *size = sizeof(float);
    *type = World::shared().uris().map(LV2_ATOM__Float);
    return &instance->control(index - kFirstControl);
}

const void* noPortValue(const char*, void*, uint32_t*, uint32_t*) {
    return nullptr;
}

void setPortValue(const char* symbol, void* user, const void* value, uint32_t size, uint32_t) {
    auto* instance = static_cast<Instance*>(user);
    const LilvPlugin* plugin = World::shared().plugin();
    LilvNode* name = lilv_new_string(World::shared().world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, name);
    lilv_node_free(name);
    if (port == nullptr || size != sizeof(float)) return;
    const uint32_t index = lilv_port_get_index(plugin, port);
    if (index >= kFirstControl && index < kFirstControl + kControls)
        std::memcpy(&instance->control(index - kFirstControl), value, sizeof(float));
}

// Saves through lilv, passes the state through its Turtle text, and gives it back.
LilvState* saveAndReload(Instance& source, LilvGetPortValueFunc getValue) {
    World& w = World::shared();
    LilvState* state = lilv_state_new_from_instance(w.plugin(), source.lilv(), w.uris().mapFeature(), nullptr,
                                                    nullptr, nullptr, nullptr, getValue, &source,
                                                    LV2_STATE_IS_POD, source.features());
    if (state == nullptr) return nullptr;
    char* text = lilv_state_to_string(w.world(), w.uris().mapFeature(), w.uris().unmapFeature(), state,
                                      "urn:velmora:orbitone#test-state", nullptr);
    lilv_state_free(state);
    LilvState* reloaded = lilv_state_new_from_string(w.world(), w.uris().mapFeature(), text);
    lilv_free(text);
    return reloaded;
}

void configured(Instance& instance) {
    instance.activate();
    for (const auto& [parameter, value] : kSettings) instance.setControl(parameter, value);
    instance.run(kSilence, kSilence);
}

// The plug-in's restore entry with a chunk of the test's own making.
LV2_State_Status restoreRawChunk(Instance& instance, const std::vector<unsigned char>& bytes,
                                 const char* type = LV2_ATOM__Chunk) {
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance.lilv(), LV2_STATE__interface));
    if (state == nullptr) return LV2_STATE_ERR_UNKNOWN;
    struct Source {
        const std::vector<unsigned char>* bytes;
        uint32_t type;
    } source{&bytes, World::shared().uris().map(type)};
    auto retrieve = [](LV2_State_Handle handle, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
        auto* s = static_cast<Source*>(handle);
        *size = s->bytes->size();
        *type = s->type;
        *flags = LV2_STATE_IS_POD;
        // An empty property is still a property: its data is not null.
        static const unsigned char kNothing = 0;
        return static_cast<const void*>(s->bytes->empty() ? &kNothing : s->bytes->data());
    };
    return state->restore(instance.handle(), retrieve, &source, 0, instance.features());
}

float sliderOf(const std::vector<unsigned char>& chunk, int number) {
    float value = 0;
    std::memcpy(&value, chunk.data() + 4 * number, sizeof value);
    return value;
}

// Position smoothing starts from where each instance stood; once it has settled both sound alike.
void expectSameSoundOnceSettled(Instance& a, Instance& b) {
    for (int settle = 0; settle < 400; ++settle) {
        a.run(kSilence, kSilence);
        b.run(kSilence, kSilence);
    }
    const auto left = testSignal(kBlock, 1), right = testSignal(kBlock, 2);
    const auto outA = a.run(left, right);
    const auto outB = b.run(left, right);
    for (size_t k = 0; k < 6; ++k) {
        for (size_t j = 0; j < outA[k].size(); ++j)
            ASSERT_NEAR(outA[k][j], outB[k][j], 1e-4) << k << " " << j;
    }
}

}  // namespace

TEST(Lv2State, TheChunkIsTheVstEditionsChunk) {
    Instance lv2;
    configured(lv2);
    TestInstance vst;
    vst.start();
    applySettings(vst, kSettings);
    void* data = nullptr;
    const auto size = vst.dispatch(effGetChunk, 0, 0, &data);
    const auto chunk = lv2.savedChunk();
    ASSERT_EQ(chunk.size(), 260u);
    ASSERT_EQ(size, 260);
    EXPECT_EQ(std::memcmp(chunk.data(), data, 260), 0);
    EXPECT_FLOAT_EQ(sliderOf(chunk, 0), -1000.0f);
}

TEST(Lv2State, SavedAndRestoredThroughLilv) {
    Instance source;
    configured(source);
    LilvState* state = saveAndReload(source, portValue);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(lilv_state_get_num_properties(state), 1u);

    Instance target;
    target.activate();
    lilv_state_restore(state, target.lilv(), setPortValue, &target, 0, target.features());
    lilv_state_free(state);
    for (const auto& [parameter, value] : kSettings) EXPECT_EQ(target.control(parameter), value) << parameter;
    EXPECT_EQ(target.savedChunk(), source.savedChunk());
    expectSameSoundOnceSettled(target, source);
}

TEST(Lv2State, AStateOfOnlyTheChunkWinsOverControlsTheHostLeftAlone) {
    Instance source;
    configured(source);
    LilvState* state = saveAndReload(source, noPortValue);
    ASSERT_NE(state, nullptr);

    Instance target;
    target.activate();
    target.setControl(0, 77);  // what the host's control held before the restore
    target.run(kSilence, kSilence);
    lilv_state_restore(state, target.lilv(), setPortValue, &target, 0, target.features());
    lilv_state_free(state);
    EXPECT_EQ(target.control(0), 77) << "no port values in this state";
    target.run(kSilence, kSilence);
    source.run(kSilence, kSilence);
    EXPECT_EQ(target.savedChunk(), source.savedChunk()) << "the stale control did not overwrite the state";
    expectSameSoundOnceSettled(target, source);

    // A control the host moves afterwards is applied again.
    target.setControl(0, -10);
    target.run(kSilence, kSilence);
    EXPECT_FLOAT_EQ(sliderOf(target.savedChunk(), 1), -10);
}

TEST(Lv2State, GarbageOfTheRightSizeIsToleratedAsByTheVstEdition) {
    Instance lv2;
    configured(lv2);
    const auto before = lv2.savedChunk();

    std::vector<unsigned char> noMarker = before;
    noMarker[0] ^= 0x55;
    EXPECT_EQ(restoreRawChunk(lv2, noMarker), LV2_STATE_SUCCESS);
    EXPECT_EQ(lv2.savedChunk(), before);

    // NaN and huge values are not trusted; the rest is taken.
    std::vector<unsigned char> odd = before;
    const float values[3] = {12, std::numeric_limits<float>::quiet_NaN(), 1e30f};
    std::memcpy(odd.data() + 4, values, sizeof values);
    EXPECT_EQ(restoreRawChunk(lv2, odd), LV2_STATE_SUCCESS);
    const auto after = lv2.savedChunk();
    EXPECT_FLOAT_EQ(sliderOf(after, 1), 12);
    EXPECT_FLOAT_EQ(sliderOf(after, 2), sliderOf(before, 2));
    EXPECT_FLOAT_EQ(sliderOf(after, 3), 100);
    EXPECT_EQ(std::memcmp(after.data() + 16, before.data() + 16, 260 - 16), 0);
}

TEST(Lv2State, AChunkOfAnotherTypeOrSizeIsRefusedAndChangesNothing) {
    Instance lv2;
    configured(lv2);
    const auto before = lv2.savedChunk();
    std::vector<unsigned char> moved = before;
    const float twelve = 12;
    std::memcpy(moved.data() + 4, &twelve, sizeof twelve);
    std::vector<unsigned char> longer = moved;
    longer.push_back(0);
    const std::vector<unsigned char> shorter(moved.begin(), moved.begin() + 16);
    for (const auto& bytes : {std::vector<unsigned char>{}, {1, 2, 3}, shorter, longer})
        EXPECT_EQ(restoreRawChunk(lv2, bytes), LV2_STATE_ERR_BAD_TYPE) << bytes.size() << " bytes";
    EXPECT_EQ(restoreRawChunk(lv2, moved, LV2_ATOM__String), LV2_STATE_ERR_BAD_TYPE);
    EXPECT_EQ(lv2.savedChunk(), before);

    // A refused state does not stand in for the next values the host sets.
    lv2.setControl(0, -10);
    lv2.run(kSilence, kSilence);
    EXPECT_FLOAT_EQ(sliderOf(lv2.savedChunk(), 1), -10);
    EXPECT_EQ(restoreRawChunk(lv2, moved), LV2_STATE_SUCCESS);
    EXPECT_FLOAT_EQ(sliderOf(lv2.savedChunk(), 1), 12);
}

TEST(Lv2State, SavedBeforeTheFirstRunItHoldsWhatTheControlsSet) {
    Instance ran;
    configured(ran);
    for (bool activated : {false, true}) {
        SCOPED_TRACE(activated ? "activated" : "not activated");
        Instance fresh;
        if (activated) fresh.activate();
        for (const auto& [parameter, value] : kSettings) fresh.setControl(parameter, value);
        EXPECT_EQ(fresh.savedChunk(), ran.savedChunk());
    }
    // After a restore the state stands until the host moves a control afterwards, and a save says so.
    Instance restored;
    restored.activate();
    ASSERT_EQ(restoreRawChunk(restored, ran.savedChunk()), LV2_STATE_SUCCESS);
    restored.setControl(0, 5);
    EXPECT_EQ(restored.savedChunk(), ran.savedChunk());
}

TEST(Lv2State, AReopenedSessionStartsWhereItWasSaved) {
    // A long glide, to show from the first sample on.
    Settings settings = kSettings;
    settings.push_back({6, 1000});
    Instance source;
    source.activate();
    for (const auto& [parameter, value] : settings) source.setControl(parameter, value);
    source.run(kSilence, kSilence);
    LilvState* state = saveAndReload(source, portValue);
    ASSERT_NE(state, nullptr);

    // As Ardour reopens a session: activated while the controls hold their defaults, then restored.
    Instance reopened;
    reopened.activate();
    lilv_state_restore(state, reopened.lilv(), setPortValue, &reopened, 0, reopened.features());
    lilv_state_free(state);
    EXPECT_EQ(reopened.control(6), 1000);

    // The VST edition resumed after its chunk starts exactly there.
    std::vector<unsigned char> chunk = source.savedChunk();
    TestInstance vst;
    vst.dispatch(effOpen);
    vst.dispatch(effSetSampleRate, 0, 0, nullptr, 44100);
    vst.dispatch(effSetBlockSize, 0, 512);
    vst.dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data());
    vst.dispatch(effMainsChanged, 0, 1);
    const auto left = testSignal(kBlock, 1), right = testSignal(kBlock, 2);
    EXPECT_EQ(firstDifference(reopened.run(left, right), vst.processSignal({left, right})), "");
}

TEST(Lv2State, WithoutAUridMapThereIsNoStateButNoCrash) {
    Instance lv2(44100, false);
    ASSERT_TRUE(lv2.valid());
    lv2.activate();
    EXPECT_TRUE(lv2.savedChunk().empty());
}
