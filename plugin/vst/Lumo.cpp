#include "plugin/vst/Lumo.h"

#include <cstring>

CLumo* CLumo::create(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster,
                     int32_t numPrograms, int32_t numParams, LumoEditorMaker makeEditor) {
    if (audioMaster == nullptr) return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    return new CLumo(effect, bridge, audioMaster, numPrograms, numParams, makeEditor);
}

CLumo::CLumo(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster, int32_t numPrograms,
             int32_t numParams, LumoEditorMaker makeEditor)
    : AudioEffectX(audioMaster, numPrograms, numParams),
      CAdapterKit(effect, bridge),
      midiRing(kMidiRingSize, VstMidiEvent{}),
      makeEditor_(makeEditor) {
    canProcessReplacing(true);
    canDoubleReplacing(true);
    calls.init();
}

CLumo::~CLumo() {
    calls.destroy();
}

void CLumo::open() {
    calls.open();
}

void CLumo::close() {
    calls.close();
}

void CLumo::suspend() {
    calls.suspend();
}

void CLumo::resume() {
    AudioEffectX::resume();
    calls.resume();
}

void CLumo::processReplacing(float** inputs, float** outputs, int32_t frames) {
    calls.process(inputs, outputs, frames);
}

void CLumo::processDoubleReplacing(double** inputs, double** outputs, int32_t frames) {
    calls.process(inputs, outputs, frames);
}

void CLumo::setParameter(int32_t index, float value) {
    calls.setParameter(index, value);
}

float CLumo::getParameter(int32_t index) {
    return calls.parameter(index);
}

void CLumo::setProgramName(char* name) {
    calls.setProgramName(name);
}

void CLumo::getProgramName(char* name) {
    calls.programName(name);
}

void CLumo::getParameterLabel(int32_t index, char* label) {
    calls.parameterLabel(index, label);
}

void CLumo::getParameterDisplay(int32_t index, char* text) {
    calls.parameterDisplay(index, text);
}

void CLumo::getParameterName(int32_t index, char* text) {
    calls.parameterName(index, text);
}

int32_t CLumo::getChunk(void** data, bool isPreset) {
    return calls.getChunk(data, isPreset);
}

int32_t CLumo::setChunk(void* data, int32_t byteSize, bool isPreset) {
    return calls.setChunk(data, byteSize, isPreset);
}

bool CLumo::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
    return calls.programNameIndexed(category, index, text);
}

int32_t CLumo::processEvents(VstEvents* events) {
    if (events == nullptr) return 0;
    // The list runs on past the two entries its declaration shows: read it through a pointer.
    const VstEvent* const* list = events->events;
    for (int32_t i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = list[i];
        if (event == nullptr || event->type != kVstMidiType) continue;
        std::memcpy(&midiRing[static_cast<size_t>(midiWritePos)], event, sizeof(VstMidiEvent));
        if (++midiWritePos >= kMidiRingSize) midiWritePos = 0;
    }
    return 1;
}

bool CLumo::takeMidiEvent(HostMidiEvent& event) {
    if (midiReadPos == midiWritePos) return false;
    const VstMidiEvent& taken = midiRing[static_cast<size_t>(midiReadPos)];
    event.deltaFrames = taken.deltaFrames;
    for (int i = 0; i < 3; ++i) event.bytes[i] = static_cast<uint8_t>(taken.midiData[i]);
    if (++midiReadPos >= kMidiRingSize) midiReadPos = 0;
    return true;
}

bool CLumo::getEffectName(char* name) {
    return calls.effectName(name);
}

bool CLumo::getVendorString(char* text) {
    return calls.vendorString(text);
}

bool CLumo::getProductString(char* text) {
    return calls.productString(text);
}

int32_t CLumo::getVendorVersion() {
    return calls.vendorVersion();
}

int32_t CLumo::createEditor(int32_t width, int32_t height) {
    if (CAdapterKit::createEditor(width, height) == 0) return 0;
    // Registering sets the record's has-editor flag for the host.
    if (makeEditor_ != nullptr) setEditor(makeEditor_(*this, width, height));
    return 1;
}

int32_t CLumo::canDo(char* text) {
    if (text == nullptr) return -1;
    return std::strcmp(text, "receiveVstMidiEvent") == 0 ? 1 : -1;
}

int32_t CLumo::inputCount() {
    return cEffect.numInputs;
}

int32_t CLumo::outputCount() {
    return cEffect.numOutputs;
}

void CLumo::declareInputs(int32_t count) {
    setNumInputs(count);
}

void CLumo::declareOutputs(int32_t count) {
    setNumOutputs(count);
}

void CLumo::declareUniqueId(int32_t id) {
    setUniqueID(id);
}

void CLumo::declareProgramsAreChunks(bool state) {
    programsAreChunks(state);
}

void CLumo::declareInitialDelay(int32_t samples) {
    setInitialDelay(samples);
}

float CLumo::hostSampleRate() {
    return getSampleRate();
}

int32_t CLumo::hostBlockSize() {
    return getBlockSize();
}

bool CLumo::hostTime(int32_t request, HostTime& time) {
    const VstTimeInfo* info = getTimeInfo(request);
    if (info == nullptr) return false;
    time.tempo = info->tempo;
    time.ppqPos = info->ppqPos;
    time.barStartPos = info->barStartPos;
    time.timeSigNumerator = info->timeSigNumerator;
    time.timeSigDenominator = info->timeSigDenominator;
    time.playing = (info->flags & kVstTransportPlaying) != 0;
    time.recording = (info->flags & kVstTransportRecording) != 0;
    return true;
}

bool CLumo::refreshHostDisplay() {
    return updateDisplay();
}

void CLumo::automateParameter(int32_t index, double normalisedValue) {
    setParameterAutomated(index, static_cast<float>(normalisedValue));
}

AEffect* adapterGetAEffect(CLumo* adapter) {
    return adapter != nullptr ? adapter->getAeffect() : nullptr;
}
