#include "plugin/clap/ClapTransport.h"

#include <clap/fixedpoint.h>

#include <cmath>

namespace {

// A host's garbage must not turn into the effect's tempo or position.
double finiteOr(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

double beatsOf(clap_beattime time) {
    return static_cast<double>(time) / static_cast<double>(CLAP_BEATTIME_FACTOR);
}

}  // namespace

void CClapTransport::take(const clap_event_transport_t* transport) {
    known_ = transport != nullptr;
    if (!known_) return;
    const uint32_t flags = transport->flags;
    playing_ = (flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
    recording_ = (flags & CLAP_TRANSPORT_IS_RECORDING) != 0;
    tempo_ = (flags & CLAP_TRANSPORT_HAS_TEMPO) != 0 ? finiteOr(transport->tempo, 0) : 0;
    if (tempo_ < 0) tempo_ = 0;
    hasBeats_ = (flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE) != 0;
    beats_ = hasBeats_ ? beatsOf(transport->song_pos_beats) : 0;
    barStart_ = hasBeats_ ? beatsOf(transport->bar_start) : 0;
    const bool signature = (flags & CLAP_TRANSPORT_HAS_TIME_SIGNATURE) != 0 && transport->tsig_num > 0 &&
                           transport->tsig_denom > 0;
    numerator_ = signature ? transport->tsig_num : 0;
    denominator_ = signature ? transport->tsig_denom : 0;
}

void CClapTransport::advance(uint32_t frames, double sampleRate) {
    if (!known_ || !playing_ || !hasBeats_ || !(sampleRate > 0)) return;
    beats_ += frames / sampleRate * tempo_ / 60.0;
}

bool CClapTransport::answer(HostTime& time) const {
    if (!known_) return false;
    // CLAP counts its beats in quarter notes, as the effect does.
    time.tempo = tempo_;
    time.ppqPos = beats_;
    time.barStartPos = barStart_;
    time.timeSigNumerator = numerator_;
    time.timeSigDenominator = denominator_;
    time.playing = playing_;
    time.recording = recording_;
    return true;
}
