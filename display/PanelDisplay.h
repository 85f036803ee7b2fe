// The effect's panel: the display's side of the effect's panel interface. It holds the display's own
// state and the frame cache, gives the effect its drawing bridges and texts while attached, and
// draws the radar, the controls and the meters every paint.
#pragma once

#include <cstdint>

#include "display/DisplayVariables.h"
#include "display/PanelFrameCache.h"
#include "effect/EffectPanel.h"

class CPanelDisplay : public IEffectPanel {
  public:
    void attach(TQuillEffect& effect) override;  // GUI thread, or dispatcher thread before a window
    void detach(TQuillEffect& effect) override;  // the same, or the thread destroying the effect
    void open(TQuillEffect& effect) override;    // dispatcher thread
    void draw(TQuillEffect& effect) override;    // GUI thread

    DisplayVariables variables;
    // The panel's retained image and what its last frame drew.
    PanelFrameCache cache;

  private:
    void layOut(const TQuillEffect& effect);

    // The effect's init sections laid out after so far.
    uint32_t laidOut_ = 0;
};

// The display's panel of an effect that has it: what the display's drawing reaches its own state
// through. GUI thread.
CPanelDisplay& panelOf(TQuillEffect& effect);
const CPanelDisplay& panelOf(const TQuillEffect& effect);
