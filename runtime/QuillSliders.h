// Slider values: the state a user sets and a project saves.
#pragma once

#include <cstdint>

#include "runtime/QuillLumo.h"
#include "runtime/SharedValue.h"

class CQuillSliders : public CQuillLumo {
  public:
    static constexpr int kSliderCount = 128;

    CQuillSliders();
    virtual ~CQuillSliders() = default;

    // Slider section: runs after a change of slider values. Any thread that changes a parameter.
    virtual void DoSlider() {}
    // Block section: once before each processed block. Audio thread.
    virtual void DoBlock() {}
    // Sample section: once per sample frame. Audio thread.
    virtual void DoSample() {}
    // The sample section over a whole block, straight between the host's buffers. An effect with such
    // a loop answers true and leaves the outputs and spl as running the sample section frame by frame
    // would; false lets the runtime move every frame through spl. Audio thread.
    virtual bool DoSampleBlock(float* const*, float* const*, int32_t /*frames*/, int32_t /*channels*/) {
        return false;
    }
    // The same in double precision. Audio thread.
    virtual bool DoSampleBlock(double* const*, double* const*, int32_t /*frames*/, int32_t /*channels*/) {
        return false;
    }

    // Written by the panel, the host's parameter changes and state loads, each on its own thread.
    SharedDouble sliders[kSliderCount];  // index 0 is never a slider
};
