#include "plugin/lv2/Lv2Controls.h"

#include <cmath>
#include <limits>

#include "plugin/bridge/BridgeCalls.h"
#include "plugin/bridge/ParameterMapping.h"

CLv2Controls::CLv2Controls() {
    for (float& value : applied_) value = std::numeric_limits<float>::quiet_NaN();
    for (auto& value : hostResult_) value.store(std::numeric_limits<float>::quiet_NaN());
}

void CLv2Controls::connect(uint32_t parameter, const float* port) {
    if (parameter < lv2ports::kControlCount) ports_[parameter] = port;
}

void CLv2Controls::apply(CHostAdapter& adapter) {
    if (adapter.effect == nullptr) return;
    const bool restored = restored_.exchange(false, std::memory_order_acq_rel);
    for (uint32_t p = 0; p < lv2ports::kControlCount; ++p) {
        if (ports_[p] == nullptr) continue;
        const float value = *ports_[p];
        if (!std::isfinite(value)) continue;
        // Compared bit for bit: the host either wrote the port again or it did not.
        if (value == applied_[p]) continue;
        applied_[p] = value;
        if (restored) continue;
        const auto index = static_cast<int32_t>(p);
        float normalised = 0;
        if (!parameterNormalised(*adapter.effect, index, value, normalised)) continue;
        // The bridge brings the value into what the slider can hold (the Speed controls reach beyond
        // the declared range), as for a VST host.
        BridgeCalls(adapter).setParameter(index, normalised);
        hostResult_[p].store(static_cast<float>(parameterPlainValue(*adapter.effect, index)),
                             std::memory_order_relaxed);
    }
}
