#include "plugin/lv2/Lv2State.h"

#include <cstring>
#include <vector>

#include "plugin/lv2/Lv2Instance.h"

namespace {

// Far beyond the 260 bytes of a real state: anything larger is not ours and is not copied.
constexpr size_t kLargestChunk = 1 << 20;

}  // namespace

LV2_State_Status saveLv2State(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                              uint32_t, const LV2_Feature* const*) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    if (instance == nullptr || store == nullptr) return LV2_STATE_ERR_UNKNOWN;
    if (instance->stateKey == 0) return LV2_STATE_ERR_NO_FEATURE;
    CLv2Adapter* adapter = instance->adapter;
    if (adapter == nullptr) return LV2_STATE_ERR_UNKNOWN;
    void* data = nullptr;
    const int32_t size = adapter->calls.getChunk(&data, false);
    if (size <= 0 || data == nullptr) return LV2_STATE_ERR_UNKNOWN;
    return store(state, instance->stateKey, data, static_cast<size_t>(size), instance->chunkType,
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
    // The effect judges the bytes itself, as it does a VST chunk; only their amount is bounded here.
    if (size > kLargestChunk) return LV2_STATE_ERR_BAD_TYPE;
    std::vector<unsigned char> chunk(size);
    if (size > 0) std::memcpy(chunk.data(), data, size);
    adapter->calls.setChunk(chunk.data(), static_cast<int32_t>(size), false);
    instance->controls.markRestored();
    return LV2_STATE_SUCCESS;
}

const LV2_State_Interface* lv2StateInterface() {
    static const LV2_State_Interface interface = {saveLv2State, restoreLv2State};
    return &interface;
}
