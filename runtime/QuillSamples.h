// The per-sample channel variables.
#pragma once

#include "runtime/QuillSliders.h"

class CQuillSamples : public CQuillSliders {
  public:
    static constexpr int kChannelVariables = 64;

    CQuillSamples() {
        for (double& v : spl) v = 0.0;
    }

    double spl[kChannelVariables];  // element k holds channel k of the current frame; audio thread only
};
