#include "plugin/sdk/AudioEffect.h"

#include <cmath>
#include <cstring>

#include "plugin/sdk/AEffEditor.h"

namespace {

AudioEffect* effectOf(AEffect* e) {
    return e != nullptr ? static_cast<AudioEffect*>(e->object) : nullptr;
}

intptr_t VSTCALLBACK dispatchEntry(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                   float opt) {
    AudioEffect* effect = effectOf(e);
    if (effect == nullptr) return 0;
    const intptr_t result = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return result;
}

// The old accumulating process call; replacing processing is the only kind this effect offers.
void VSTCALLBACK processEntry(AEffect*, float**, float**, int32_t) {}

void VSTCALLBACK processReplacingEntry(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    if (AudioEffect* effect = effectOf(e)) effect->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs, int32_t frames) {
    if (AudioEffect* effect = effectOf(e)) effect->processDoubleReplacing(inputs, outputs, frames);
}

void VSTCALLBACK setParameterEntry(AEffect* e, int32_t index, float value) {
    if (AudioEffect* effect = effectOf(e)) effect->setParameter(index, value);
}

float VSTCALLBACK getParameterEntry(AEffect* e, int32_t index) {
    AudioEffect* effect = effectOf(e);
    return effect != nullptr ? effect->getParameter(index) : 0.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = 0;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharId('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect() {
    delete editor;
}

void AudioEffect::setFlag(int32_t flag, bool state) {
    if (state) {
        cEffect.flags |= flag;
    } else {
        cEffect.flags &= ~flag;
    }
}

void AudioEffect::canProcessReplacing(bool state) {
    setFlag(effFlagsCanReplacing, state);
}
void AudioEffect::canDoubleReplacing(bool state) {
    setFlag(effFlagsCanDoubleReplacing, state);
}
void AudioEffect::programsAreChunks(bool state) {
    setFlag(effFlagsProgramChunks, state);
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setSampleRate(float rate) {
    // A rate that is not finite and positive would poison every time constant derived from it.
    if (std::isfinite(rate) && rate > 0) sampleRate = rate;
}

void AudioEffect::setBlockSize(int32_t size) {
    if (size > 0) blockSize = size;
}

void AudioEffect::setProgram(int32_t program) {
    if (program >= 0 && program < numPrograms) curProgram = program;
}

void AudioEffect::getProgramName(char* name) {
    if (name != nullptr) name[0] = 0;
}
void AudioEffect::getParameterLabel(int32_t, char* label) {
    if (label != nullptr) label[0] = 0;
}
void AudioEffect::getParameterDisplay(int32_t, char* text) {
    if (text != nullptr) text[0] = 0;
}
void AudioEffect::getParameterName(int32_t, char* text) {
    if (text != nullptr) text[0] = 0;
}
int32_t AudioEffect::getChunk(void**, bool) {
    return 0;
}
int32_t AudioEffect::setChunk(void*, int32_t, bool) {
    return 0;
}

void AudioEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 0;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
            return 0;
        case effGetProgram:
            return getProgram();
        case effSetProgramName:
            if (ptr != nullptr) setProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetProgramName:
            if (ptr != nullptr) getProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetParamLabel:
            if (ptr != nullptr) getParameterLabel(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamDisplay:
            if (ptr != nullptr) getParameterDisplay(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamName:
            if (ptr != nullptr) getParameterName(index, static_cast<char*>(ptr));
            return 0;
        case effSetSampleRate:
            setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            if (value > 0 && value <= INT32_MAX) setBlockSize(static_cast<int32_t>(value));
            return 0;
        case effMainsChanged:
            if (value == 0) {
                suspend();
            } else {
                resume();
            }
            return 0;
        case effEditGetRect:
            if (editor == nullptr || ptr == nullptr) return 0;
            return static_cast<uint8_t>(editor->getRect(static_cast<ERect**>(ptr)));
        case effEditOpen:
            return editor != nullptr ? static_cast<uint8_t>(editor->open(ptr)) : 0;
        case effEditClose:
            if (editor != nullptr) editor->close();
            return 0;
        case effEditIdle:
            if (editor != nullptr) editor->idle();
            return 0;
        case effIdentify:
            return fourCharId('N', 'v', 'E', 'f');
        case effGetChunk:
            if (ptr == nullptr) return 0;
            return getChunk(static_cast<void**>(ptr), index != 0);
        case effSetChunk:
            if (ptr == nullptr || value < 0 || value > INT32_MAX) return 0;
            return setChunk(ptr, static_cast<int32_t>(value), index != 0);
        default:
            return 0;
    }
}
