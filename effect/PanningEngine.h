// The audio work: the block and sample sections and the position-to-gains law.
#pragma once

#include <cstdint>

#include "effect/EffectVariables.h"

class TQuillEffect;

// Smooths the channel towards (targetX, targetY) and recomputes its speaker gains when the
// smoothed position moved. Audio thread (and the init section).
void computeGains(const EffectVariables& var, PanChannel& ch, double targetX, double targetY);

// Shows the display the position of the channel's last gain computation. Audio thread.
void publishPosition(PanChannel& ch);

// Once per processing call: transport state. Audio thread.
void blockSection(TQuillEffect& effect);

// Once per sample frame: pans spl0 and spl1 into spl0..spl5. Audio thread.
void sampleSection(TQuillEffect& effect);

// The sample section for a whole block: frame j of the two inputs panned into the six outputs, which
// may be the input buffers themselves; spl0..spl5 end as the last frame left them. Audio thread.
void sampleSectionBlock(TQuillEffect& effect, const float* in0, const float* in1, float* const* out,
                        int32_t frames);
void sampleSectionBlock(TQuillEffect& effect, const double* in0, const double* in1, double* const* out,
                        int32_t frames);
