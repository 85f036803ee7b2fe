#include "plugin/bridge/ProcessingBridge.h"

#include "plugin/boundary/HostAdapter.h"
#include "plugin/bridge/DenormalGuard.h"
#include "runtime/Quill.h"

namespace {

template <typename Sample>
bool buffersPresent(Sample** inputs, Sample** outputs, int32_t channels) {
    if (channels == 0) return true;
    if (inputs == nullptr || outputs == nullptr) return false;
    for (int32_t k = 0; k < channels; ++k) {
        if (inputs[k] == nullptr || outputs[k] == nullptr) return false;
    }
    return true;
}

template <typename Sample>
void processFrames(TQuill& effect, Sample** inputs, Sample** outputs, int32_t frames, int32_t channels) {
    double* spl = effect.spl;
    if (channels == 2) {
        const Sample* in0 = inputs[0];
        const Sample* in1 = inputs[1];
        Sample* out0 = outputs[0];
        Sample* out1 = outputs[1];
        for (int32_t j = 0; j < frames; ++j) {
            spl[0] = in0[j];
            spl[1] = in1[j];
            effect.DoSample();
            out0[j] = static_cast<Sample>(spl[0]);
            out1[j] = static_cast<Sample>(spl[1]);
        }
        return;
    }
    for (int32_t j = 0; j < frames; ++j) {
        // Every input of the frame is read before any output is written, so buffers may be shared.
        for (int32_t k = channels - 1; k >= 0; --k) spl[k] = inputs[k][j];
        effect.DoSample();
        for (int32_t k = channels - 1; k >= 0; --k) outputs[k][j] = static_cast<Sample>(spl[k]);
    }
}

template <typename Sample>
void process(CHostAdapter* adapter, Sample** inputs, Sample** outputs, int32_t frames, bool doublePrecision) {
    if (adapter == nullptr || adapter->effect == nullptr) return;
    DenormalGuard denormals;
    TQuill& effect = *adapter->effect;
    const int32_t channels = adapter->processingChannels(doublePrecision);
    effect.DoBlock();
    if (frames <= 0 || !buffersPresent(inputs, outputs, channels)) return;
    if (effect.DoSampleBlock(inputs, outputs, frames, channels)) return;
    processFrames(effect, inputs, outputs, frames, channels);
}

}  // namespace

void processReplacingEntry(CHostAdapter* adapter, float** inputs, float** outputs, int32_t frames) {
    process(adapter, inputs, outputs, frames, false);
}

void processDoubleReplacingEntry(CHostAdapter* adapter, double** inputs, double** outputs, int32_t frames) {
    process(adapter, inputs, outputs, frames, true);
}
