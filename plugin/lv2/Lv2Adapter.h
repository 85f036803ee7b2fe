// The host boundary for LV2 hosts: sample rate and block size from instantiation, transport from the
// time port; the panel is the UI's, which attaches its window to the kit. There is no VST record
// behind it: the kit keeps the declarations, there is no MIDI port, and the state interface always
// saves the chunk.
#pragma once

#include "plugin/bridge/AdapterKit.h"
#include "plugin/lv2/Lv2Transport.h"

class CLv2Adapter : public CAdapterKit {
  public:
    CLv2Adapter(TQuill* effect, const LumoBridge& bridge, double sampleRate, int32_t blockSize);
    // Instantiation thread. Destroys the effect through the bridge.
    ~CLv2Adapter() override;

    bool hostTime(int32_t request, HostTime& time) override;  // audio thread
    // Sets the parameter as a host change would; the UI passes the new value on to the host's
    // control with the panel's other changes. GUI thread.
    void automateParameter(int32_t index, double normalisedValue) override;

    CLv2Transport transport;
};
