// Every variable the effect computes; all of them start at zero when the host opens the effect.
#pragma once

#include "effect/PanChannel.h"
#include "runtime/SharedValue.h"

struct EffectVariables {
    static constexpr int kSliderViews = 32;  // indexed by slider number

    // Derived from the sliders by the slider section, on whichever thread changed them (the host's
    // parameter thread, the dispatcher's state load, the panel on the GUI thread); read by the audio
    // thread and the panel.
    SharedDouble smoothCoef = 0;
    SharedDouble centerWeight = 0;
    SharedDouble zoneOn = 0;
    SharedDouble zoneCenterGain = 0, zoneEdgeGain = 0;
    SharedDouble sendCGain = 0, sendLfeGain = 0;
    SharedDouble outputGain = 0;
    SharedDouble stereoInput = 0;
    SharedDouble monoCleared = 0;
    SharedDouble sliderView[kSliderViews] = {};  // the panel's copies, refreshed by the slider section

    // Written by the audio thread, read by the panel; the panel lowers the peaks, and a raise that
    // falls between its read and its write is lost for a frame.
    SharedDouble playState = 0;
    SharedDouble inPeakL = 0, inPeakR = 0;
    SharedDouble outPeak[6] = {0, 0, 0, 0, 0, 0};

    // Audio thread only.
    double monoSum = 0;

    // The radar square in panel pixels, set by the init section (dispatcher thread), read by the panel.
    SharedDouble radarLeft = 0, radarTop = 0, radarWidth = 0, radarHeight = 0, radarRight = 0,
                 radarBottom = 0;
    SharedDouble buildTextId = 0;

    // Block-section duties of the runtime that this effect never triggers. Audio thread only.
    double displayRefreshFlag = 0;
    double latency = 0, reportedLatency = 0;
    double lastDisplayRefreshMs = 0;

    PanChannel ch[2];
};
