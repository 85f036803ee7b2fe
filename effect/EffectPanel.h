// The effect's panel as the effect sees it: what its open step and its graphics section ask of the
// display, which implements it (display/PanelDisplay.h). An effect without a panel (an engine built
// without the display, an LV2 instance whose UI is not open) draws nothing.
#pragma once

#include <memory>

class TQuillEffect;

class IEffectPanel {
  public:
    virtual ~IEffectPanel() = default;
    // The panel joins the effect: its drawing bridges and texts become the effect's. GUI thread, or
    // the dispatcher thread before any window exists.
    virtual void attach(TQuillEffect& effect) = 0;
    // It leaves, taking what its bridges made (images, fonts) and the bridges themselves. The same
    // threads, or whichever thread destroys the effect.
    virtual void detach(TQuillEffect& effect) = 0;
    // The open step's share: the panel's own state back to zero, its texts registered again.
    // Dispatcher thread.
    virtual void open(TQuillEffect& effect) = 0;
    // The graphics section; after an init section the panel lays itself out again first. GUI thread.
    virtual void draw(TQuillEffect& effect) = 0;
};

// The display's panel; defined in display/, so only a binary that links the display can make one.
std::unique_ptr<IEffectPanel> makeEffectPanel();
