#include "plugin/boundary/ReverseFunctions.h"

#include "plugin/boundary/HostAdapter.h"

namespace {

void store(int32_t* out, int32_t value) {
    if (out != nullptr) *out = value;
}

void store(double* out, double value) {
    if (out != nullptr) *out = value;
}

// The time information for one request; all zero when the host has none.
HostTime timeOf(CHostAdapter* adapter, int32_t request) {
    HostTime time;
    if (!adapter->hostTime(request, time)) time = HostTime{};
    return time;
}

int32_t signExtended(uint8_t byte) {
    return static_cast<signed char>(byte);
}

}  // namespace

int32_t adapterGetNumInputs(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->inputCount() : 0;
}

int32_t adapterGetNumOutputs(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->outputCount() : 0;
}

int32_t adapterSetNumInputs(CHostAdapter* adapter, int32_t count) {
    if (adapter == nullptr) return 0;
    adapter->declareInputs(count);
    return 1;
}

int32_t adapterSetNumOutputs(CHostAdapter* adapter, int32_t count) {
    if (adapter == nullptr) return 0;
    adapter->declareOutputs(count);
    return 1;
}

int32_t adapterSetUniqueId(CHostAdapter* adapter, int32_t id) {
    if (adapter == nullptr) return 0;
    adapter->declareUniqueId(id);
    return 1;
}

int32_t adapterProgramsAreChunks(CHostAdapter* adapter, bool state) {
    if (adapter == nullptr) return 0;
    adapter->declareProgramsAreChunks(state);
    return 1;
}

float adapterGetSampleRate(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->hostSampleRate() : 0.0f;
}

int32_t adapterGetBlockSize(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->hostBlockSize() : 0;
}

double adapterGetTempo(CHostAdapter* adapter) {
    return adapter != nullptr ? timeOf(adapter, kHostTimeTempo).tempo : 0.0;
}

int32_t adapterIsPlaying(CHostAdapter* adapter) {
    return adapter != nullptr && timeOf(adapter, kHostTimePlaying).playing ? 1 : 0;
}

int32_t adapterIsRecording(CHostAdapter* adapter) {
    return adapter != nullptr && timeOf(adapter, kHostTimeRecording).recording ? 1 : 0;
}

double adapterGetPpqPos(CHostAdapter* adapter) {
    return adapter != nullptr ? timeOf(adapter, kHostTimePosition).ppqPos : 0.0;
}

double adapterGetBarStartPos(CHostAdapter* adapter) {
    return adapter != nullptr ? timeOf(adapter, kHostTimeBars).barStartPos : 0.0;
}

int32_t adapterGetTempoAndSignature(CHostAdapter* adapter, double* tempo, double* numerator,
                                    double* denominator) {
    if (adapter == nullptr) return 0;
    HostTime time;
    const bool given = adapter->hostTime(kHostTimeTempo | kHostTimeSignature, time);
    if (!given) time = HostTime{};
    store(tempo, time.tempo);
    store(numerator, time.timeSigNumerator);
    store(denominator, time.timeSigDenominator);
    return given ? 1 : 0;
}

bool adapterUpdateDisplay(CHostAdapter* adapter) {
    return adapter != nullptr && adapter->refreshHostDisplay();
}

int32_t adapterSetInitialDelay(CHostAdapter* adapter, int32_t samples) {
    if (adapter == nullptr) return 0;
    adapter->declareInitialDelay(samples);
    return 1;
}

int32_t adapterAutomate(CHostAdapter* adapter, int32_t index, double value) {
    if (adapter == nullptr) return 0;
    adapter->automateParameter(index, value);
    return 1;
}

int32_t adapterMidiReceive(CHostAdapter* adapter, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                           int32_t* data2) {
    if (adapter == nullptr) return 0;
    HostMidiEvent event;
    const bool taken = adapter->takeMidiEvent(event);
    if (!taken) event = HostMidiEvent{};
    store(deltaFrames, event.deltaFrames);
    store(status, signExtended(event.bytes[0]));
    store(data1, signExtended(event.bytes[1]));
    store(data2, signExtended(event.bytes[2]));
    return taken ? 1 : 0;
}
