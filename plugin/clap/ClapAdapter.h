// The host boundary for CLAP hosts: sample rate and block size from activation (the kit's
// setProcessing), transport from the process call, panel changes on their way to the host as gesture
// and value events. There is no VST record behind it: the kit keeps the declarations, there is no
// note port, and the state extension always saves the chunk.
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

    bool hostTime(int32_t request, HostTime& time) override;  // audio thread
    // Sets the parameter as a host change would, then queues the change for the host and asks it
    // for a flush when it is not processing. Main thread.
    void automateParameter(int32_t index, double normalisedValue) override;
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
};
