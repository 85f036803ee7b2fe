// The four ways a channel moves by itself while the transport runs.
#pragma once

#include "effect/PanChannel.h"
#include "runtime/RandomSource.h"

enum MotionMode { kManual = 0, kRotate = 1, kCruise = 2, kRandomize = 3, kFishBowl = 4 };

// Samples of motion computed together: the angles of a run go through the vector sine and cosine in
// pairs of samples, off the chain from one sample to the next.
constexpr int kMotionRun = 64;

// One channel's motion over a run of samples.
struct MotionRun {
    PanChannel* ch = nullptr;
    MotionMode mode = kManual;
    // The run's first sample is the first one moved in this mode since another mode (or none) moved
    // the channel.
    bool entered = false;
    // The channel's settings and position, read once at the start of the run: the slider section
    // and the panel change them on their own threads, and a change shows from the next run.
    double stepDeg = 0;
    double scaleX = 0, scaleY = 0, offsetX = 0, offsetY = 0;
    double startX = 0, startY = 0;
    // What a sample's position is made from: angles and the bowl's radius before each step. One more
    // than a run, for the pair that an odd run ends with.
    double angleX[kMotionRun + 1];
    double angleY[kMotionRun + 1];
    double radius[kMotionRun + 1];
    // The targets, sample by sample.
    double x[kMotionRun + 1];
    double y[kMotionRun + 1];

    void readSettings() {
        stepDeg = ch->stepDeg;
        scaleX = ch->scaleX;
        scaleY = ch->scaleY;
        offsetX = ch->offsetX;
        offsetY = ch->offsetY;
        startX = ch->posX;
        startY = ch->posY;
    }
};

// The mode that moves a channel whose Animation value is motionMode: kManual when it names none or
// the transport is stopped. Audio thread.
MotionMode runningMode(double playState, double motionMode);

// Moves every run's channel through `frames` samples (at most kMotionRun) of its mode: at each sample
// the runs step in order, as they draw from one generator. Fills the runs' targets and leaves the last
// ones in the channels' posX, posY. Audio thread.
void runMotion(MotionRun* runs, int count, int frames, double sampleRate, RandomSource& random);
