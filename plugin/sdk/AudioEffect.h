// Base of a VST 2.4 effect: owns the interface record the host talks to and answers the dispatcher
// requests every effect shares.
#pragma once

#include "plugin/sdk/aeffect.h"

class AEffEditor;

class AudioEffect {
  public:
    AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);
    // Dispatcher thread (effClose).
    virtual ~AudioEffect();

    // Dispatcher thread: every host request arrives here first.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    // Dispatcher thread.
    virtual void open() {}
    // Dispatcher thread.
    virtual void close() {}
    // Dispatcher thread.
    virtual void suspend() {}
    // Dispatcher thread.
    virtual void resume() {}

    // Dispatcher thread.
    virtual void setSampleRate(float sampleRate);
    // Dispatcher thread.
    virtual void setBlockSize(int32_t blockSize);

    // Audio thread.
    virtual void processReplacing(float**, float**, int32_t) {}
    // Audio thread.
    virtual void processDoubleReplacing(double**, double**, int32_t) {}

    // Any thread.
    virtual void setParameter(int32_t, float) {}
    // Any thread.
    virtual float getParameter(int32_t) { return 0; }
    // GUI thread: sets the parameter here, then tells the host.
    virtual void setParameterAutomated(int32_t index, float value);

    // Dispatcher thread.
    virtual int32_t getProgram() { return curProgram; }
    virtual void setProgram(int32_t program);
    virtual void setProgramName(char*) {}
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(int32_t, char* label);
    virtual void getParameterDisplay(int32_t, char* text);
    virtual void getParameterName(int32_t, char* text);
    virtual int32_t getChunk(void** data, bool isPreset = false);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset = false);

    // Setters used while the effect describes itself.
    virtual void setUniqueID(int32_t id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(int32_t inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(int32_t outputs) { cEffect.numOutputs = outputs; }
    virtual void setInitialDelay(int32_t delay) { cEffect.initialDelay = delay; }
    virtual void canProcessReplacing(bool state = true);
    virtual void canDoubleReplacing(bool state = true);
    virtual void programsAreChunks(bool state = true);
    virtual void setEditor(AEffEditor* newEditor);

    AEffect* getAeffect() { return &cEffect; }
    AEffEditor* getEditor() { return editor; }
    float getSampleRate() const { return sampleRate; }
    int32_t getBlockSize() const { return blockSize; }
    audioMasterCallback getAudioMaster() const { return audioMaster; }

    // Host callback with this effect's record.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);

  protected:
    void setFlag(int32_t flag, bool state);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    int32_t blockSize = 1024;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram = 0;
    AEffect cEffect;
};
