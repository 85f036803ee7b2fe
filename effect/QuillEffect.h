// Orbitone: pans one or two inputs into 5.1 and moves them while the transport runs.
#pragma once

#include "effect/EffectVariables.h"
#include "effect/HostValues.h"
#include "runtime/Quill.h"
#include "runtime/RandomSource.h"

class TQuillEffect : public TQuill {
  public:
    TQuillEffect();
    ~TQuillEffect() override;

    void DoOpen() override;       // dispatcher thread
    void DoInit() override;       // dispatcher thread
    void DoSlider() override;     // any thread that changes a parameter
    void DoBlock() override;      // audio thread
    void DoSample() override;     // audio thread
    void DoGfx() override;        // GUI thread
    void DoSerialize() override;  // dispatcher thread
    // Any thread.
    bool SliderHeldRange(int32_t number, double& low, double& high) const override;

    // The slider section without refreshing the display's copies of the slider values; the panel
    // runs it after the user changed a value. Any thread.
    void DeriveFromSliders();
    // Both channels' targets from the position sliders, with their gains due for recomputation.
    // Any thread.
    void SetTargetsFromSliders();

    EffectVariables var;
    HostValues host;
    RandomSource random;

  private:
    void declareSliders();
    void readHostValuesForInit();
    void deriveChannel(PanChannel& ch, int firstMotionSlider);
    void deriveAnimationBox(PanChannel& ch);
    double restoredSliderValue(int number, double stored, double current) const;
};
