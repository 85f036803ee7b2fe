// Slider values: the state a user sets and a project saves.
#pragma once

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

    // Written by the panel, the host's parameter changes and state loads, each on its own thread.
    SharedDouble sliders[kSliderCount];  // index 0 is never a slider
};
