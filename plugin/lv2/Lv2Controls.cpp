#include "plugin/lv2/Lv2Controls.h"

#include <cmath>
#include <limits>

#include "plugin/bridge/BridgeCalls.h"
#include "plugin/bridge/ParameterMapping.h"

CLv2Controls::CLv2Controls() {
    for (auto& value : applied_) value.store(std::numeric_limits<float>::quiet_NaN());
    for (auto& value : hostResult_) value.store(std::numeric_limits<float>::quiet_NaN());
}

void CLv2Controls::connect(uint32_t parameter, const float* port) {
    if (parameter < lv2ports::kControlCount) ports_[parameter].store(port, std::memory_order_relaxed);
}

bool CLv2Controls::changedValue(uint32_t parameter, float& value) const {
    const float* port = ports_[parameter].load(std::memory_order_relaxed);
    if (port == nullptr) return false;
    value = *port;
    return std::isfinite(value) && value != applied_[parameter].load(std::memory_order_relaxed);
}

bool CLv2Controls::apply(CHostAdapter& adapter) {
    if (adapter.effect == nullptr) return false;
    bool set = false;
    const bool restored = restored_.exchange(false, std::memory_order_acq_rel);
    for (uint32_t p = 0; p < lv2ports::kControlCount; ++p) {
        float value = 0;
        if (!changedValue(p, value)) continue;
        applied_[p].store(value, std::memory_order_relaxed);
        const auto index = static_cast<int32_t>(p);
        float normalised = 0;
        if (restored || !parameterNormalised(*adapter.effect, index, value, normalised)) continue;
        // The bridge brings the value into what the slider can hold (the Speed controls reach beyond
        // the declared range), as for a VST host.
        BridgeCalls(adapter).setParameter(index, normalised);
        hostResult_[p].store(static_cast<float>(parameterPlainValue(*adapter.effect, index)),
                             std::memory_order_relaxed);
        set = true;
    }
    return set;
}

bool CLv2Controls::pendingValue(const TQuill& effect, uint32_t parameter, float& normalised) const {
    float value = 0;
    if (parameter >= lv2ports::kControlCount || restored_.load(std::memory_order_acquire)) return false;
    return changedValue(parameter, value) &&
           parameterNormalised(effect, static_cast<int32_t>(parameter), value, normalised);
}
