// The host's transport as CLAP tells it: the process call's transport at the block's first sample,
// and transport events inside the block. Between them the position runs on at the last tempo.
#pragma once

#include <clap/events.h>

#include "plugin/boundary/HostAdapter.h"

class CClapTransport {
  public:
    // Takes a transport record; null (a free-running host) leaves the transport unknown. Audio thread.
    void take(const clap_event_transport_t* transport);
    // Moves the position on by the frames just played. Audio thread.
    void advance(uint32_t frames, double sampleRate);
    // The transport as a time answer; false while unknown. Audio thread.
    bool answer(HostTime& time) const;

  private:
    bool known_ = false;
    bool playing_ = false;
    bool recording_ = false;
    bool hasBeats_ = false;
    double tempo_ = 0;
    double beats_ = 0;
    double barStart_ = 0;
    double numerator_ = 0;
    double denominator_ = 0;
};
