// What one plug-in instance sees of its host: the answers to its host-callback requests.
#pragma once

#include <cstdint>

#include "plugin/sdk/aeffect.h"
#include "tools/render/SimulatedTransport.h"

namespace render {

class HostContext {
  public:
    static constexpr intptr_t kHostVersion = 2400;

    SimulatedTransport& transport() { return transport_; }
    void setTransport(const SimulatedTransport& transport) { transport_ = transport; }
    void setSampleRate(double rate);
    void setBlockSize(int32_t frames) { blockSize_ = frames; }

    // Requests that arrive before the instance exists (the version question inside the entry
    // point) come with a null record; they go to the context registered here.
    static void setPending(HostContext* context);
    static void attach(AEffect* effect, HostContext* context);
    static intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                         void* ptr, float opt);

    int automationNotices() const { return automationNotices_; }

  private:
    intptr_t answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    SimulatedTransport transport_;
    double sampleRate_ = 44100.0;
    int32_t blockSize_ = 512;
    int automationNotices_ = 0;
};

}  // namespace render
