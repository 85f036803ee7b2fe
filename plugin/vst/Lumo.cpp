#include "plugin/vst/Lumo.h"

#include <cstring>

#include "display/FontListRelease.h"

CLumo* CLumo::create(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster,
                     int32_t numPrograms, int32_t numParams) {
    if (audioMaster == nullptr) return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    return new CLumo(effect, bridge, audioMaster, numPrograms, numParams);
}

CLumo::CLumo(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster, int32_t numPrograms,
             int32_t numParams)
    : AudioEffectX(audioMaster, numPrograms, numParams),
      CHostAdapter(effect, bridge),
      midiRing(kMidiRingSize, VstMidiEvent{}) {
    canProcessReplacing(true);
    canDoubleReplacing(true);
    if (this->bridge.init != nullptr) this->bridge.init(this);
}

CLumo::~CLumo() {
    releaseFontList(fontList);
    if (bridge.destroy != nullptr) bridge.destroy(this);
    effect = nullptr;
}

void CLumo::open() {
    if (bridge.open != nullptr) bridge.open(this);
}

void CLumo::close() {
    if (bridge.close != nullptr) bridge.close(this);
}

void CLumo::suspend() {
    if (bridge.suspend != nullptr) bridge.suspend(this);
}

void CLumo::resume() {
    AudioEffectX::resume();
    if (bridge.resume != nullptr) bridge.resume(this);
}

void CLumo::processReplacing(float** inputs, float** outputs, int32_t frames) {
    if (bridge.processReplacing != nullptr) bridge.processReplacing(this, inputs, outputs, frames);
}

void CLumo::processDoubleReplacing(double** inputs, double** outputs, int32_t frames) {
    if (bridge.processDoubleReplacing != nullptr)
        bridge.processDoubleReplacing(this, inputs, outputs, frames);
}

void CLumo::setParameter(int32_t index, float value) {
    if (bridge.setParameter != nullptr) bridge.setParameter(this, index, value);
}

float CLumo::getParameter(int32_t index) {
    return bridge.getParameter != nullptr ? bridge.getParameter(this, index) : 0.0f;
}

void CLumo::setProgramName(char* name) {
    if (bridge.setProgramName != nullptr && name != nullptr) bridge.setProgramName(this, name);
}

void CLumo::getProgramName(char* name) {
    if (bridge.getProgramName != nullptr && name != nullptr) bridge.getProgramName(this, name);
}

void CLumo::getParameterLabel(int32_t index, char* label) {
    if (bridge.getParameterLabel != nullptr && label != nullptr) bridge.getParameterLabel(this, index, label);
}

void CLumo::getParameterDisplay(int32_t index, char* text) {
    if (bridge.getParameterDisplay != nullptr && text != nullptr)
        bridge.getParameterDisplay(this, index, text);
}

void CLumo::getParameterName(int32_t index, char* text) {
    if (bridge.getParameterName != nullptr && text != nullptr) bridge.getParameterName(this, index, text);
}

int32_t CLumo::getChunk(void** data, bool isPreset) {
    return bridge.getChunk != nullptr ? bridge.getChunk(this, data, isPreset) : 0;
}

int32_t CLumo::setChunk(void* data, int32_t byteSize, bool isPreset) {
    return bridge.setChunk != nullptr ? bridge.setChunk(this, data, byteSize, isPreset) : 0;
}

bool CLumo::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
    return bridge.getProgramNameIndexed != nullptr &&
           bridge.getProgramNameIndexed(this, category, index, text);
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
    return bridge.getEffectName != nullptr && bridge.getEffectName(this, name);
}

bool CLumo::getVendorString(char* text) {
    return bridge.getVendorString != nullptr && bridge.getVendorString(this, text);
}

bool CLumo::getProductString(char* text) {
    return bridge.getProductString != nullptr && bridge.getProductString(this, text);
}

int32_t CLumo::getVendorVersion() {
    return bridge.getVendorVersion != nullptr ? bridge.getVendorVersion(this) : 0;
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
