#include "plugin/clap/ClapAdapter.h"

#include <cstring>

#include "plugin/bridge/ParameterMapping.h"
#include "plugin/clap/ClapHostExtension.h"
#include "runtime/Quill.h"

CClapAdapter::CClapAdapter(TQuill* effect, const LumoBridge& bridge, const clap_host_t* host)
    : CAdapterKit(effect, bridge), host_(host) {
    hostParams_ = clapHostExtension<clap_host_params_t>(host_, CLAP_EXT_PARAMS);
    calls.init();
}

CClapAdapter::~CClapAdapter() {
    calls.destroy();
}

bool CClapAdapter::hostTime(int32_t, HostTime& time) {
    return transport.answer(time);
}

void CClapAdapter::automateParameter(int32_t index, double normalisedValue) {
    if (effect == nullptr || index < 0) return;
    calls.setParameter(index, static_cast<float>(normalisedValue));
    panelEvents.change(static_cast<uint32_t>(index), parameterPlainValue(*effect, index));
    requestFlush();
}

void CClapAdapter::panelTick() {
    if (effect != nullptr && effect->mouseFlags == 0) panelEvents.closeGestures();
    // Also picks up changes queued while the host stopped processing in between.
    requestFlush();
}

void CClapAdapter::requestFlush() {
    // While the host processes, the next process call hands the changes on by itself.
    if (processing.load(std::memory_order_acquire) || !panelEvents.pending()) return;
    if (hostParams_ != nullptr && hostParams_->request_flush != nullptr) hostParams_->request_flush(host_);
}

void CClapAdapter::valuesChanged() {
    if (hostParams_ != nullptr && hostParams_->rescan != nullptr)
        hostParams_->rescan(host_, CLAP_PARAM_RESCAN_VALUES);
}
