// Orbitone: pans one or two inputs into 5.1 and moves them while the transport runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "effect/EffectPanel.h"
#include "effect/EffectVariables.h"
#include "effect/HostValues.h"
#include "runtime/Quill.h"
#include "runtime/RandomSource.h"

class TQuillEffect : public TQuill {
  public:
    TQuillEffect();
    ~TQuillEffect() override;

    void DoOpen() override;    // dispatcher thread
    void DoInit() override;    // dispatcher thread
    void DoSlider() override;  // any thread that changes a parameter
    void DoBlock() override;   // audio thread
    void DoSample() override;  // audio thread
    // Audio thread.
    bool DoSampleBlock(float* const* inputs, float* const* outputs, int32_t frames,
                       int32_t channels) override;
    // Audio thread.
    bool DoSampleBlock(double* const* inputs, double* const* outputs, int32_t frames,
                       int32_t channels) override;
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
    // Both channels start at their position sliders, without a glide, with their gains computed there:
    // the init section's start. An adapter whose host may set values after the resume and before the
    // first block starts them again at that block. The init section, or the audio thread before the
    // first block.
    void StartChannelsAtSliders();

    // Gives the graphics section its panel, or takes it away (null); the panel before is detached
    // first. Set when the effect is made, or by the UI that shows it on the GUI thread after the open
    // step; the open step and the graphics section call it.
    void AttachPanel(std::unique_ptr<IEffectPanel> panel);
    IEffectPanel* Panel() const { return panel_.get(); }

    EffectVariables var;
    HostValues host;
    // Counts slider derivations. The audio thread reads the derived values once per block, so a
    // derivation that lands during a block recomputes the gains at the next one. Written by any
    // thread that changes a parameter, read by the audio thread.
    std::atomic<uint32_t> settingsVersion{0};
    uint32_t settingsVersionSeen = 0;  // audio thread
    RandomSource random;
    // Counts the init sections run, so that the panel can lay itself out again after each on its own
    // thread. Written by the dispatcher thread, read by the GUI thread.
    std::atomic<uint32_t> initSections{0};

  private:
    void declareSliders();
    void readHostValuesForInit();
    void deriveChannel(PanChannel& ch, int firstMotionSlider);
    void deriveAnimationBox(PanChannel& ch);
    double restoredSliderValue(int number, double stored, double current) const;

    std::unique_ptr<IEffectPanel> panel_;
};
