// The host boundary for VST 3 hosts: the transport from each block's process context and the panel's
// changes as edits through the host's component handler; the declarations and the processing set-up
// are the kit's, and the buses are fixed.
#pragma once

#include <atomic>

#include "plugin/bridge/AdapterKit.h"
#include <travesty/edit_controller.h>
#include <travesty/audio_processor.h>

class CVst3Adapter : public CAdapterKit {
  public:
    CVst3Adapter(TQuill* effect, const LumoBridge& bridge);
    // Main thread. Destroys the effect through the bridge.
    ~CVst3Adapter() override;

    bool hostTime(int32_t request, HostTime& time) override;  // audio thread
    // Sets the parameter, then tells the host: begin (once per gesture) and perform; the gesture
    // ends at endGestures. GUI thread.
    void automateParameter(int32_t index, double normalisedValue) override;

    // The transport of the span starting this many frames into the block; a null context is a
    // stopped transport without time information. Audio thread.
    void takeTransport(const v3_process_context* context, int32_t offset);
    // Main / GUI thread.
    void setComponentHandler(v3_component_handler** handler);
    // Ends the edits the panel began. GUI thread.
    void endGestures();
    // When the panel last changed a parameter, on the monotonic clock. GUI thread.
    long long lastEditTime() const { return lastEdit_; }

  private:
    // Written whole by the audio thread; the main thread may read the tempo at the effect's init.
    std::atomic<bool> timeKnown_{false};
    std::atomic<bool> playing_{false};
    std::atomic<bool> recording_{false};
    std::atomic<double> tempo_{0};
    std::atomic<double> ppqPos_{0};
    std::atomic<double> barStart_{0};
    std::atomic<double> numerator_{0};
    std::atomic<double> denominator_{0};

    v3_component_handler** handler_ = nullptr;
    // One bit per parameter id with an edit begun and not yet ended. GUI thread.
    uint64_t openEdits_ = 0;
    long long lastEdit_ = 0;
};
