// Whether the first run after an activation starts the channels afresh. A host may set the controls
// or restore a state after activating the instance and before its first block (Ardour does both when
// it reopens a session): the channels then start where those put them, as a VST host's values set
// before the resume start them, instead of gliding there from where the activation found the sliders.
// When nothing changed in between, the activation's start stands. Changes once the instance runs
// glide as always.
#pragma once

#include <atomic>

class CLv2FirstRun {
  public:
    // Instantiation thread.
    void activated();
    // A restore (instantiation thread) or the host's controls taken by a run (audio thread); counts
    // only before the first run that processes audio.
    void changed();
    // True at the first run that processes audio after an activation when something changed since,
    // false at every other. Audio thread.
    bool startAfresh();

  private:
    // Activated, and no run has processed audio since.
    std::atomic<bool> waiting_{false};
    std::atomic<bool> changed_{false};
};
