#include "plugin/lv2/Lv2State.h"

#include <cstring>
#include <vector>

#include "plugin/bridge/ParameterMapping.h"
#include "plugin/lv2/Lv2Instance.h"
#include "runtime/Quill.h"

namespace {

// The state is the effect's chunk: the marker, then slider n as the 32-bit float at byte 4n.
void storeSlider(std::vector<unsigned char>& chunk, int32_t number, double value) {
    const auto at = static_cast<size_t>(number) * sizeof(float);
    if (number < 1 || at + sizeof(float) > chunk.size()) return;
    const auto stored = static_cast<float>(value);
    std::memcpy(chunk.data() + at, &stored, sizeof stored);
}

// A host may save before the values it wrote into the controls reached the effect, as when the
// instance has not run yet: the state then holds them as the next run will set them, so that it
// describes what the instance plays. Nothing here writes to the instance: a save may run beside run().
void withPendingControls(const Lv2Instance& instance, const TQuill& effect,
                         std::vector<unsigned char>& chunk) {
    for (uint32_t p = 0; p < lv2ports::kControlCount; ++p) {
        float normalised = 0;
        double value = 0;
        const auto index = static_cast<int32_t>(p);
        if (!instance.controls.pendingValue(effect, p, normalised)) continue;
        if (!parameterValueToSet(effect, index, normalised, value)) continue;
        if (const SliderRecord* record = effect.recordAt(index)) storeSlider(chunk, record->number, value);
    }
}

}  // namespace

LV2_State_Status saveLv2State(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                              uint32_t, const LV2_Feature* const*) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    if (instance == nullptr || store == nullptr) return LV2_STATE_ERR_UNKNOWN;
    if (instance->stateKey == 0) return LV2_STATE_ERR_NO_FEATURE;
    CLv2Adapter* adapter = instance->adapter;
    if (adapter == nullptr || adapter->effect == nullptr) return LV2_STATE_ERR_UNKNOWN;
    void* data = nullptr;
    const int32_t size = adapter->calls.getChunk(&data, false);
    if (size <= 0 || data == nullptr) return LV2_STATE_ERR_UNKNOWN;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> chunk(bytes, bytes + size);
    withPendingControls(*instance, *adapter->effect, chunk);
    return store(state, instance->stateKey, chunk.data(), chunk.size(), instance->chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status restoreLv2State(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                                 LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    if (instance == nullptr || retrieve == nullptr) return LV2_STATE_ERR_UNKNOWN;
    if (instance->stateKey == 0) return LV2_STATE_ERR_NO_FEATURE;
    CLv2Adapter* adapter = instance->adapter;
    if (adapter == nullptr) return LV2_STATE_ERR_UNKNOWN;
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void* data = retrieve(state, instance->stateKey, &size, &type, &flags);
    if (data == nullptr) return LV2_STATE_ERR_NO_PROPERTY;
    // Only a chunk of the size this instance saves is a state of ours; anything else is refused and
    // the current state kept. Within one, the effect judges the bytes as it does a VST chunk.
    void* own = nullptr;
    const int32_t ownSize = adapter->calls.getChunk(&own, false);
    if (type != instance->chunkType || ownSize <= 0 || size != static_cast<size_t>(ownSize))
        return LV2_STATE_ERR_BAD_TYPE;
    std::vector<unsigned char> chunk(static_cast<const unsigned char*>(data),
                                     static_cast<const unsigned char*>(data) + size);
    adapter->calls.setChunk(chunk.data(), ownSize, false);
    instance->controls.markRestored();
    instance->firstRun.changed();
    return LV2_STATE_SUCCESS;
}

const LV2_State_Interface* lv2StateInterface() {
    static const LV2_State_Interface interface = {saveLv2State, restoreLv2State};
    return &interface;
}
