#include "tools/snapshot/SnapshotHost.h"

namespace snapshot {

namespace {

VstTimeInfo timeInfo() {
    VstTimeInfo info{};
    info.sampleRate = kSampleRate;
    info.tempo = 120;
    info.timeSigNumerator = 4;
    info.timeSigDenominator = 4;
    info.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    return info;
}

VstTimeInfo transport = timeInfo();

}  // namespace

void advanceTransport(int32_t frames) {
    transport.samplePos += frames;
    transport.ppqPos = transport.samplePos / kSampleRate * transport.tempo / 60;
}

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    switch (opcode) {
        case audioMasterVersion:
            return 2400;
        case audioMasterGetTime:
            return reinterpret_cast<intptr_t>(&transport);
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(kSampleRate);
        case audioMasterGetBlockSize:
            return kBlockSize;
        default:
            return 0;
    }
}

}  // namespace snapshot
