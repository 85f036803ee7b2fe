#include "plugin/sdk/AudioEffectX.h"

#include "plugin/sdk/AEffEditor.h"

namespace {
// The host's float modifier argument as the key code's byte. Converting NaN or a value outside
// 0..255 is undefined; such a value counts as no modifier.
uint8_t modifierByte(float value) {
    if (!(value >= 0.0f && value < 256.0f)) return 0;
    return static_cast<uint8_t>(value);
}
}  // namespace

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
    : AudioEffect(audioMaster, numPrograms, numParams) {}

void AudioEffectX::resume() {
    static char receiveMidi[] = "receiveVstMidiEvent";
    if ((cEffect.flags & effFlagsIsSynth) != 0 || canDo(receiveMidi) == 1) wantEvents();
}

VstTimeInfo* AudioEffectX::getTimeInfo(int32_t filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

bool AudioEffectX::updateDisplay() {
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::ioChanged() {
    return callHost(audioMasterIOChanged) != 0;
}

void AudioEffectX::wantEvents() {
    callHost(audioMasterWantMidi, 0, 1);
}

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    switch (opcode) {
        case effProcessEvents:
            return ptr != nullptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
        case effCanBeAutomated:
            return 1;
        case effGetProgramNameIndexed:
            if (ptr == nullptr) return 0;
            return getProgramNameIndexed(static_cast<int32_t>(value), index, static_cast<char*>(ptr)) ? 1 : 0;
        case effGetPlugCategory:
            return (cEffect.flags & effFlagsIsSynth) != 0 ? 2 : 0;
        case effGetEffectName:
            return ptr != nullptr && getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorString:
            return ptr != nullptr && getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetProductString:
            return ptr != nullptr && getProductString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorVersion:
            return getVendorVersion();
        case effCanDo:
            return ptr != nullptr ? canDo(static_cast<char*>(ptr)) : 0;
        case effGetVstVersion:
            return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp: {
            if (editor == nullptr) return 0;
            VstKeyCode key{index, static_cast<uint8_t>(value), modifierByte(opt)};
            const bool handled = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
            return static_cast<uint8_t>(handled);
        }
        case effSetEditKnobMode:
            return editor != nullptr ? static_cast<uint8_t>(editor->setKnobMode(static_cast<int32_t>(value)))
                                     : 0;
        case effGetCurrentMidiProgram:
            return -1;
        case effGetSpeakerArrangement:
            if (value != 0) *reinterpret_cast<void**>(value) = nullptr;
            if (ptr != nullptr) *static_cast<void**>(ptr) = nullptr;
            return 0;
        case effSetTotalSampleToProcess:
            return value;
        default:
            return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}
