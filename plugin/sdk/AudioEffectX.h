// The VST 2.x extensions of the effect base: events, names, can-do, transport and the 2.x opcodes.
#pragma once

#include "plugin/sdk/AudioEffect.h"

class AudioEffectX : public AudioEffect {
  public:
    AudioEffectX(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);

    // Dispatcher thread.
    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;
    // Dispatcher thread: asks the host for MIDI when the effect takes it.
    void resume() override;

    // Audio thread.
    virtual int32_t processEvents(VstEvents*) { return 0; }
    // Dispatcher thread.
    virtual bool getProgramNameIndexed(int32_t, int32_t, char*) { return false; }
    virtual bool getEffectName(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual int32_t getVendorVersion() { return 0; }
    virtual int32_t canDo(char*) { return 0; }
    virtual int32_t getVstVersion() { return 2400; }

    // Host services; any thread.
    VstTimeInfo* getTimeInfo(int32_t filter);
    bool updateDisplay();
    bool ioChanged();
    void wantEvents();
};
