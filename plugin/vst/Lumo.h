// The plug-in's VST 2.4 effect object: answers plug-in level requests itself and forwards every
// effect-level request through the bridge table.
#pragma once

#include <vector>

#include "plugin/bridge/AdapterKit.h"
#include "plugin/sdk/AudioEffectX.h"

class AEffEditor;
class CLumo;

// How an edition that shows a panel makes the adapter's editor; the SDK base owns what it answers.
using LumoEditorMaker = AEffEditor* (*)(CLumo& adapter, int32_t width, int32_t height);

class CLumo : public AudioEffectX, public CAdapterKit {
  public:
    static constexpr int32_t kMidiRingSize = 1000;

    // Answers null through create() when the host reports no VST version. Without an editor maker
    // the instance has no editor (an engine built without the panel).
    static CLumo* create(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster,
                         int32_t numPrograms, int32_t numParams, LumoEditorMaker makeEditor = nullptr);
    ~CLumo() override;

    void open() override;                                                             // dispatcher thread
    void close() override;                                                            // dispatcher thread
    void suspend() override;                                                          // dispatcher thread
    void resume() override;                                                           // dispatcher thread
    void processReplacing(float** inputs, float** outputs, int32_t frames) override;  // audio
    void processDoubleReplacing(double** inputs, double** outputs, int32_t frames) override;  // audio
    void setParameter(int32_t index, float value) override;                                   // any thread
    float getParameter(int32_t index) override;                                               // any thread
    void setProgramName(char* name) override;                                          // dispatcher thread
    void getProgramName(char* name) override;                                          // dispatcher thread
    void getParameterLabel(int32_t index, char* label) override;                       // dispatcher thread
    void getParameterDisplay(int32_t index, char* text) override;                      // dispatcher thread
    void getParameterName(int32_t index, char* text) override;                         // dispatcher thread
    int32_t getChunk(void** data, bool isPreset) override;                             // dispatcher thread
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;            // dispatcher thread
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;  // dispatcher
    int32_t processEvents(VstEvents* events) override;                                 // audio thread
    bool getEffectName(char* name) override;                                           // dispatcher thread
    bool getVendorString(char* text) override;                                         // dispatcher thread
    bool getProductString(char* text) override;                                        // dispatcher thread
    int32_t getVendorVersion() override;                                               // dispatcher thread
    int32_t canDo(char* text) override;                                                // dispatcher thread

    // The host boundary, answered through the VST host callback and the interface record.
    int32_t inputCount() override;                                           // any thread
    int32_t outputCount() override;                                          // any thread
    void declareInputs(int32_t count) override;                              // dispatcher thread
    void declareOutputs(int32_t count) override;                             // dispatcher thread
    void declareUniqueId(int32_t id) override;                               // dispatcher thread
    void declareProgramsAreChunks(bool state) override;                      // dispatcher thread
    void declareInitialDelay(int32_t samples) override;                      // audio thread
    float hostSampleRate() override;                                         // any thread
    int32_t hostBlockSize() override;                                        // any thread
    bool hostTime(int32_t request, HostTime& time) override;                 // audio thread
    bool refreshHostDisplay() override;                                      // audio thread
    void automateParameter(int32_t index, double normalisedValue) override;  // GUI thread
    // Takes the oldest unread MIDI event; false when the ring is empty. Audio thread.
    bool takeMidiEvent(HostMidiEvent& event) override;
    // The kit keeps the panel size; the edition's editor registers with the SDK base. Dispatcher
    // thread.
    int32_t createEditor(int32_t width, int32_t height) override;

    int32_t midiWritePos = 0;
    int32_t midiReadPos = 0;
    std::vector<VstMidiEvent> midiRing;

  private:
    CLumo(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster, int32_t numPrograms,
          int32_t numParams, LumoEditorMaker makeEditor);

    const LumoEditorMaker makeEditor_;
};

// The adapter's VST interface record; null for a null adapter.
AEffect* adapterGetAEffect(CLumo* adapter);
