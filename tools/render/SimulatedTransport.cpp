#include "tools/render/SimulatedTransport.h"

#include <cmath>

namespace render {

SimulatedTransport::SimulatedTransport(const TransportSettings& settings, double sampleRate)
    : settings_(settings), sampleRate_(sampleRate) {}

void SimulatedTransport::advance(int64_t frames) {
    if (running()) samplePos_ += frames;
}

double SimulatedTransport::ppqPosition() const {
    const double seconds = static_cast<double>(samplePos_) / sampleRate_;
    return settings_.startPpq + seconds * settings_.tempo / 60.0;
}

VstTimeInfo* SimulatedTransport::timeInfo() {
    info_ = VstTimeInfo{};
    info_.samplePos = static_cast<double>(samplePos_);
    info_.sampleRate = sampleRate_;
    info_.ppqPos = ppqPosition();
    info_.tempo = settings_.tempo;
    const double barLength = settings_.timeSigNumerator * 4.0 / settings_.timeSigDenominator;
    info_.barStartPos = std::floor(info_.ppqPos / barLength) * barLength;
    info_.timeSigNumerator = settings_.timeSigNumerator;
    info_.timeSigDenominator = settings_.timeSigDenominator;
    info_.flags = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
    if (settings_.playing) info_.flags |= kVstTransportPlaying;
    if (settings_.recording) info_.flags |= kVstTransportRecording;
    // The first answer tells the plug-in the transport state is new to it.
    if (!reportedStart_) {
        info_.flags |= kVstTransportChanged;
        reportedStart_ = true;
    }
    return &info_;
}

}  // namespace render
