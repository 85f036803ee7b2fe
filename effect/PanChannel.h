// One input's placement in the field: its target, smoothing, gains and motion.
#pragma once

#include "runtime/SharedValue.h"

struct PanChannel {
    // Where the input should be: x 0 left .. 1 right, y 0 front .. 1 back. Set by the slider
    // section and the radar on their threads, and by the motion modes on the audio thread.
    SharedDouble posX = 0, posY = 0;

    // The audio thread's smoothing and gains; the init section (dispatcher thread) seeds them and
    // the slider section (any thread) forces a recomputation or silences a channel.
    SharedDouble smoothX = 0, smoothY = 0;
    // Position of the last gain computation; a value no position can have forces a new one.
    SharedDouble gainX = 0, gainY = 0;
    SharedDouble sinX = 0, cosX = 0, sinY = 0, cosY = 0;
    SharedDouble centerShare = 0;
    SharedDouble zoneGain = 0;
    SharedDouble gainL = 0, gainR = 0, gainC = 0, gainLs = 0, gainRs = 0;

    // Published by the audio thread for the panel (GUI thread).
    SharedDouble shownX = 0, shownY = 0;
    SharedFlag shownFromAudio = false;  // set once the audio path has published a position

    // Motion settings from the channel's sliders: slider section (any thread), read by the audio
    // thread and the panel.
    SharedDouble motionMode = 0;
    SharedDouble stepDeg = 0;  // degrees per sample
    SharedDouble scaleX = 0, scaleY = 0, offsetX = 0, offsetY = 0;
    SharedDouble animBox[4] = {0, 0, 0, 0};  // left, top, right, bottom in panel pixels

    // Audio thread only: this frame's input and the motion state.
    double signal = 0;
    double motionStarted = 0;
    double lastMovedMode = 0;  // mode of the last sample the transport moved, to tell a switch of mode
    double rotAngle = 0;
    double cruiseAngleX = 0, cruiseAngleY = 0;
    double randFromX = 0, randFromY = 0;
    double randToX = 0, randToY = 0;
    double randFraction = 0;
    double randLength = 0;
    double bowlReady = 0;
    double bowlDirection = 0;
    double bowlRate = 0;
    double bowlTarget = 0;
    double bowlRadius = 0;
    double bowlAngle = 0;
};

// A gain position no channel can reach: the next gain computation always runs.
constexpr double kForceGainRecompute = 1000.0;

// Until the audio path publishes a position, as in a host that opens the panel of an instance it
// has not run yet, the display shows where the channel is meant to be: a panel following an
// animation would otherwise copy the never-written position, the front-left corner, into the
// position sliders.
inline void showTargetUntilProcessed(PanChannel& ch) {
    if (ch.shownFromAudio) return;
    ch.shownX = ch.posX;
    ch.shownY = ch.posY;
}
