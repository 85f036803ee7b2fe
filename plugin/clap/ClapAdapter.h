// The host boundary for CLAP hosts: sample rate and block size from activation, transport from the
// process call, panel changes on their way to the host as gesture and value events. There is no VST
// record behind it; the channel and identity declarations are only remembered.
#pragma once

#include <clap/ext/params.h>
#include <clap/host.h>

#include <atomic>

#include "plugin/bridge/AdapterKit.h"
#include "plugin/clap/ClapPanelEvents.h"
#include "plugin/clap/ClapTransport.h"

class CClapAdapter : public CAdapterKit {
  public:
    CClapAdapter(TQuill* effect, const LumoBridge& bridge, const clap_host_t* host);
    // Main thread. Destroys the effect through the bridge.
    ~CClapAdapter() override;

    int32_t inputCount() override;                            // any thread
    int32_t outputCount() override;                           // any thread
    void declareInputs(int32_t count) override;               // main thread
    void declareOutputs(int32_t count) override;              // main thread
    void declareUniqueId(int32_t id) override;                // main thread
    void declareProgramsAreChunks(bool state) override;       // main thread
    void declareInitialDelay(int32_t samples) override;       // audio thread
    float hostSampleRate() override;                          // any thread
    int32_t hostBlockSize() override;                         // any thread
    bool hostTime(int32_t request, HostTime& time) override;  // audio thread
    bool refreshHostDisplay() override;                       // audio thread
    // Sets the parameter as a host change would, then queues the change for the host and asks it
    // for a flush when it is not processing. Main thread.
    void automateParameter(int32_t index, double normalisedValue) override;
    // No note port: never an event. Audio thread.
    bool takeMidiEvent(HostMidiEvent& event) override;

    // Activation's set-up. Main thread, while not active.
    void setProcessing(double sampleRate, int32_t maxFrames);
    // Closes the panel's gestures once the pointer let go, and asks for a flush if anything waits.
    // Main thread.
    void panelTick();
    // Tells the host to read every parameter's value again (after a state load). Main thread.
    void valuesChanged();

    CClapPanelEvents panelEvents;
    CClapTransport transport;
    // Set while the host processes (between start and stop processing). Any thread.
    std::atomic<bool> processing{false};

  private:
    void requestFlush();

    const clap_host_t* host_;
    const clap_host_params_t* hostParams_ = nullptr;
    std::atomic<double> sampleRate_{44100};
    std::atomic<int32_t> blockSize_{1024};
    int32_t inputs_ = 0;
    int32_t outputs_ = 0;
};
