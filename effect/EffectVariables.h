// Every variable the effect computes; all of them start at zero when the host opens the effect.
#pragma once

#include "display/DisplayVariables.h"
#include "effect/PanChannel.h"

struct EffectVariables {
    static constexpr int kSliderViews = 32;  // indexed by slider number

    double smoothCoef = 0;
    double centerWeight = 0;
    double zoneOn = 0;
    double zoneCenterGain = 0, zoneEdgeGain = 0;
    double sendCGain = 0, sendLfeGain = 0;
    double outputGain = 0;
    double stereoInput = 0;
    double monoCleared = 0;
    double playState = 0;
    double monoSum = 0;
    double inPeakL = 0, inPeakR = 0;
    double outPeak[6] = {0, 0, 0, 0, 0, 0};
    double sliderView[kSliderViews] = {};

    // The radar square in panel pixels, set by the init section.
    double radarLeft = 0, radarTop = 0, radarWidth = 0, radarHeight = 0, radarRight = 0, radarBottom = 0;
    double buildTextId = 0;

    // Block-section duties of the runtime that this effect never triggers.
    double displayRefreshFlag = 0;
    double latency = 0, reportedLatency = 0;
    double lastDisplayRefreshMs = 0;

    PanChannel ch[2];
    DisplayVariables display;
};
