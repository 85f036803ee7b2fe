#include "tools/render/SimulatedTransport.h"

#include <gtest/gtest.h>

using render::SimulatedTransport;
using render::TransportSettings;

TEST(SimulatedTransport, PositionTempoBarsAndFlagsFollowTheSettings) {
    TransportSettings settings;
    settings.tempo = 150.0;
    settings.startPpq = 2.0;
    settings.timeSigNumerator = 6;
    settings.timeSigDenominator = 8;  // bars of three quarter notes
    settings.recording = true;
    SimulatedTransport transport(settings, 48000.0);

    VstTimeInfo* first = transport.timeInfo();
    EXPECT_TRUE(first->flags & kVstTransportChanged);
    EXPECT_TRUE(first->flags & kVstTransportPlaying);
    EXPECT_TRUE(first->flags & kVstTransportRecording);
    EXPECT_TRUE(first->flags & kVstTempoValid);
    EXPECT_DOUBLE_EQ(first->ppqPos, 2.0);
    EXPECT_DOUBLE_EQ(first->barStartPos, 0.0);

    transport.advance(48000);  // one second at 150 BPM: two and a half quarter notes
    VstTimeInfo* later = transport.timeInfo();
    EXPECT_FALSE(later->flags & kVstTransportChanged);
    EXPECT_DOUBLE_EQ(later->samplePos, 48000.0);
    EXPECT_DOUBLE_EQ(later->ppqPos, 4.5);
    EXPECT_DOUBLE_EQ(later->barStartPos, 3.0);
    EXPECT_DOUBLE_EQ(later->tempo, 150.0);
    EXPECT_EQ(later->timeSigNumerator, 6);
    EXPECT_EQ(later->timeSigDenominator, 8);
}

TEST(SimulatedTransport, StoppedTransportStaysPutAndSaysSo) {
    TransportSettings settings;
    settings.playing = false;
    settings.startPpq = -1.0;
    SimulatedTransport transport(settings, 44100.0);
    transport.advance(44100);
    VstTimeInfo* info = transport.timeInfo();
    EXPECT_EQ(info->flags & (kVstTransportPlaying | kVstTransportRecording), 0);
    EXPECT_DOUBLE_EQ(info->ppqPos, -1.0);
    EXPECT_DOUBLE_EQ(info->barStartPos, -4.0);  // the bar before the song start
}
