// The host transport a render pretends to have: answers the plug-in's time requests so that
// tempo- and transport-driven behaviour (the motion modes) runs as it would in a DAW.
#pragma once

#include <cstdint>

#include "plugin/sdk/aeffect.h"
#include "tools/render/RenderOptions.h"

namespace render {

class SimulatedTransport {
  public:
    explicit SimulatedTransport(const TransportSettings& settings = {}, double sampleRate = 44100.0);

    void setSampleRate(double sampleRate) { sampleRate_ = sampleRate; }
    // Moves the song position past frames just processed; a stopped transport stays put.
    void advance(int64_t frames);
    // Filled afresh at each request; stays valid until the next one, as hosts promise.
    VstTimeInfo* timeInfo();

    int64_t samplePosition() const { return samplePos_; }
    double ppqPosition() const;
    bool running() const { return settings_.playing || settings_.recording; }

  private:
    TransportSettings settings_;
    double sampleRate_;
    int64_t samplePos_ = 0;
    bool reportedStart_ = false;
    VstTimeInfo info_{};
};

}  // namespace render
