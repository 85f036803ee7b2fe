// The plug-in's VST 2.4 effect object: answers plug-in level requests itself and forwards every
// effect-level request through the bridge table.
#pragma once

#include <atomic>
#include <vector>

#include "plugin/LumoBridge.h"
#include "plugin/sdk/AudioEffectX.h"

class TQuill;
namespace VSTGUI {
class CDrawContext;
class CFontDesc;
}  // namespace VSTGUI

class CLumo : public AudioEffectX {
  public:
    static constexpr int32_t kMidiRingSize = 1000;

    // Answers null through create() when the host reports no VST version.
    static CLumo* create(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster,
                         int32_t numPrograms, int32_t numParams);
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

    // Takes the oldest unread MIDI event; false when the ring is empty. Audio thread.
    bool takeMidiEvent(VstMidiEvent& event);

    // The processing channel count, fetched once per precision. Audio thread.
    int32_t processingChannels(bool doublePrecision);

    TQuill* effect = nullptr;
    VSTGUI::CDrawContext* currentContext = nullptr;
    int32_t midiWritePos = 0;
    int32_t midiReadPos = 0;
    std::vector<VSTGUI::CFontDesc*> fontList;
    std::vector<VstMidiEvent> midiRing;
    LumoBridge bridge;

  private:
    CLumo(TQuill* effect, const LumoBridge& bridge, audioMasterCallback audioMaster, int32_t numPrograms,
          int32_t numParams);
    int32_t fetchChannelCount(std::atomic<int32_t>& cache);

    std::atomic<int32_t> singleChannels{-1};
    std::atomic<int32_t> doubleChannels{-1};
};
