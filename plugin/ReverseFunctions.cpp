#include "plugin/ReverseFunctions.h"

#include "plugin/Lumo.h"

namespace {

const VstTimeInfo* timeInfo(CLumo* adapter, int32_t filter) {
    return adapter->getTimeInfo(filter);
}

void store(int32_t* out, int32_t value) {
    if (out != nullptr) *out = value;
}

void store(double* out, double value) {
    if (out != nullptr) *out = value;
}

}  // namespace

AEffect* adapterGetAEffect(CLumo* adapter) {
    return adapter != nullptr ? adapter->getAeffect() : nullptr;
}

int32_t adapterGetNumInputs(CLumo* adapter) {
    return adapter != nullptr ? adapter->getAeffect()->numInputs : 0;
}

int32_t adapterGetNumOutputs(CLumo* adapter) {
    return adapter != nullptr ? adapter->getAeffect()->numOutputs : 0;
}

int32_t adapterSetNumInputs(CLumo* adapter, int32_t count) {
    if (adapter == nullptr) return 0;
    adapter->setNumInputs(count);
    return 1;
}

int32_t adapterSetNumOutputs(CLumo* adapter, int32_t count) {
    if (adapter == nullptr) return 0;
    adapter->setNumOutputs(count);
    return 1;
}

int32_t adapterSetUniqueId(CLumo* adapter, int32_t id) {
    if (adapter == nullptr) return 0;
    adapter->setUniqueID(id);
    return 1;
}

int32_t adapterProgramsAreChunks(CLumo* adapter, bool state) {
    if (adapter == nullptr) return 0;
    adapter->programsAreChunks(state);
    return 1;
}

float adapterGetSampleRate(CLumo* adapter) {
    return adapter != nullptr ? adapter->getSampleRate() : 0.0f;
}

int32_t adapterGetBlockSize(CLumo* adapter) {
    return adapter != nullptr ? adapter->getBlockSize() : 0;
}

double adapterGetTempo(CLumo* adapter) {
    if (adapter == nullptr) return 0.0;
    const VstTimeInfo* info = timeInfo(adapter, kVstTempoValid);
    return info != nullptr ? info->tempo : 0.0;
}

int32_t adapterIsPlaying(CLumo* adapter) {
    if (adapter == nullptr) return 0;
    const VstTimeInfo* info = timeInfo(adapter, kVstTransportPlaying);
    return info != nullptr && (info->flags & kVstTransportPlaying) != 0 ? 1 : 0;
}

int32_t adapterIsRecording(CLumo* adapter) {
    if (adapter == nullptr) return 0;
    const VstTimeInfo* info = timeInfo(adapter, kVstTransportRecording);
    return info != nullptr && (info->flags & kVstTransportRecording) != 0 ? 1 : 0;
}

double adapterGetPpqPos(CLumo* adapter) {
    if (adapter == nullptr) return 0.0;
    const VstTimeInfo* info = timeInfo(adapter, kVstPpqPosValid);
    return info != nullptr ? info->ppqPos : 0.0;
}

double adapterGetBarStartPos(CLumo* adapter) {
    if (adapter == nullptr) return 0.0;
    const VstTimeInfo* info = timeInfo(adapter, kVstBarsValid);
    return info != nullptr ? info->barStartPos : 0.0;
}

int32_t adapterGetTempoAndSignature(CLumo* adapter, double* tempo, double* numerator, double* denominator) {
    if (adapter == nullptr) return 0;
    const VstTimeInfo* info = timeInfo(adapter, kVstTempoValid | kVstTimeSigValid);
    if (info == nullptr) {
        store(tempo, 0.0);
        store(numerator, 0.0);
        store(denominator, 0.0);
        return 0;
    }
    store(tempo, info->tempo);
    store(numerator, info->timeSigNumerator);
    store(denominator, info->timeSigDenominator);
    return 1;
}

bool adapterUpdateDisplay(CLumo* adapter) {
    return adapter != nullptr && adapter->updateDisplay();
}

int32_t adapterSetInitialDelay(CLumo* adapter, int32_t samples) {
    if (adapter == nullptr) return 0;
    adapter->setInitialDelay(samples);
    return 1;
}

int32_t adapterAutomate(CLumo* adapter, int32_t index, double value) {
    if (adapter == nullptr) return 0;
    adapter->setParameterAutomated(index, static_cast<float>(value));
    return 1;
}

int32_t adapterMidiReceive(CLumo* adapter, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                           int32_t* data2) {
    if (adapter == nullptr) return 0;
    VstMidiEvent event{};
    const bool taken = adapter->takeMidiEvent(event);
    store(deltaFrames, taken ? event.deltaFrames : 0);
    store(status, taken ? static_cast<signed char>(event.midiData[0]) : 0);
    store(data1, taken ? static_cast<signed char>(event.midiData[1]) : 0);
    store(data2, taken ? static_cast<signed char>(event.midiData[2]) : 0);
    return taken ? 1 : 0;
}
