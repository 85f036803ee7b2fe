// The host boundary for LV2 hosts: sample rate and block size from instantiation, transport from the
// time port; the panel is the UI's, which attaches its window to the kit. There is no VST record
// behind it; the channel and identity declarations are only remembered.
#pragma once

#include "plugin/bridge/AdapterKit.h"
#include "plugin/lv2/Lv2Transport.h"

class CLv2Adapter : public CAdapterKit {
  public:
    CLv2Adapter(TQuill* effect, const LumoBridge& bridge, double sampleRate, int32_t blockSize);
    // Instantiation thread. Destroys the effect through the bridge.
    ~CLv2Adapter() override;

    int32_t inputCount() override;                            // any thread
    int32_t outputCount() override;                           // any thread
    void declareInputs(int32_t count) override;               // instantiation thread
    void declareOutputs(int32_t count) override;              // instantiation thread
    void declareUniqueId(int32_t id) override;                // instantiation thread
    void declareProgramsAreChunks(bool state) override;       // instantiation thread
    void declareInitialDelay(int32_t samples) override;       // audio thread
    float hostSampleRate() override;                          // any thread
    int32_t hostBlockSize() override;                         // any thread
    bool hostTime(int32_t request, HostTime& time) override;  // audio thread
    bool refreshHostDisplay() override;                       // audio thread
    // Sets the parameter as a host change would; the UI passes the new value on to the host's
    // control with the panel's other changes. GUI thread.
    void automateParameter(int32_t index, double normalisedValue) override;
    // No MIDI port: never an event. Audio thread.
    bool takeMidiEvent(HostMidiEvent& event) override;

    CLv2Transport transport;

  private:
    double sampleRate_;
    int32_t blockSize_;
    int32_t inputs_ = 0;
    int32_t outputs_ = 0;
    int32_t uniqueId_ = 0;
};
