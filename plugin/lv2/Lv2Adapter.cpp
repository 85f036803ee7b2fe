#include "plugin/lv2/Lv2Adapter.h"

CLv2Adapter::CLv2Adapter(TQuill* effect, const LumoBridge& bridge, double sampleRate, int32_t blockSize)
    : CAdapterKit(effect, bridge) {
    setProcessing(sampleRate, blockSize);
    calls.init();
}

CLv2Adapter::~CLv2Adapter() {
    calls.destroy();
}

bool CLv2Adapter::hostTime(int32_t, HostTime& time) {
    return transport.answer(time);
}

void CLv2Adapter::automateParameter(int32_t index, double normalisedValue) {
    calls.setParameter(index, static_cast<float>(normalisedValue));
}
