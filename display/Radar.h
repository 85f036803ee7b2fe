// The radar: the listening field with target and current positions, trails, zone circles and
// animation boxes, and the drags that move the channels' targets (left button CH1, right button CH2).
#pragma once

class TQuillEffect;

// Draws the background, the radar picture and the radar, running the drags on the frame's mouse
// snapshot. GUI thread.
void drawRadar(TQuillEffect& effect);
