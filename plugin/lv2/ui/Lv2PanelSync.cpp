#include "plugin/lv2/ui/Lv2PanelSync.h"

#include <cmath>
#include <limits>

#include "plugin/bridge/ParameterMapping.h"
#include "plugin/lv2/Lv2Controls.h"

CLv2PanelSync::CLv2PanelSync() {
    for (uint32_t p = 0; p < lv2ports::kControlCount; ++p)
        host_[p] = seen_[p] = std::numeric_limits<float>::quiet_NaN();
}

void CLv2PanelSync::hostValue(uint32_t parameter, float value) {
    if (parameter < lv2ports::kControlCount) host_[parameter] = value;
}

void CLv2PanelSync::collect(const TQuill& effect, const CLv2Controls& controls, LV2UI_Write_Function write,
                            LV2UI_Controller controller) {
    for (uint32_t p = 0; p < lv2ports::kControlCount; ++p) {
        const float value = static_cast<float>(parameterPlainValue(effect, static_cast<int32_t>(p)));
        if (value == seen_[p]) continue;
        seen_[p] = value;
        if (value == host_[p] || !std::isfinite(value)) continue;
        // The host's change has arrived at the effect; the host may already be further on.
        if (value == controls.hostResult(p)) continue;
        host_[p] = value;
        if (write != nullptr) write(controller, lv2ports::kFirstControl + p, sizeof(float), 0, &value);
    }
}
