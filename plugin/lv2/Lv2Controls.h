// The control input ports. A port is applied to the effect only when the host changed it since the
// last value applied, so that values the panel or a state restore gave the effect stay until the
// host really moves the control.
#pragma once

#include <atomic>
#include <cstdint>

#include "plugin/lv2/Lv2Ports.h"

class CHostAdapter;
class TQuill;

class CLv2Controls {
  public:
    CLv2Controls();

    // Any thread the host connects on (never during run()).
    void connect(uint32_t parameter, const float* port);
    // After a state restore the ports' present values count as applied. Instantiation thread.
    void markRestored() { restored_.store(true, std::memory_order_release); }
    // Applies every connected port whose value changed: brought into the declared range, turned
    // into the normalised value and set through the bridge as a VST host's parameter change (snapped,
    // then the slider section); non-finite values are ignored. Answers whether it set any. Audio
    // thread, or the instantiation thread while the plug-in is not running.
    bool apply(CHostAdapter& adapter);
    // The normalised value the next apply() sets the parameter to, when it sets one: the host changed
    // the port to a finite value since the last one applied, and no restore since stands in its place.
    // Reads only, so that a state save on another thread can see what the next run will play. Any thread.
    bool pendingValue(const TQuill& effect, uint32_t parameter, float& normalised) const;
    // The parameter's value in its own units right after the host's last change was applied; NaN
    // before any. Lets the UI tell the host's changes from the panel's. Inline: the UI binary reads
    // it. Any thread.
    float hostResult(uint32_t parameter) const {
        return parameter < lv2ports::kControlCount ? hostResult_[parameter].load(std::memory_order_relaxed)
                                                   : 0.0f;
    }

  private:
    // The port's value when the host changed it since the last value applied (compared bit for bit:
    // the host either wrote the port again or it did not) and it is finite.
    bool changedValue(uint32_t parameter, float& value) const;

    // Connected on the host's thread, read by the audio thread and a state save.
    std::atomic<const float*> ports_[lv2ports::kControlCount] = {};
    // NaN until a port was first applied. Written by apply(), read by a state save.
    std::atomic<float> applied_[lv2ports::kControlCount];
    std::atomic<float> hostResult_[lv2ports::kControlCount];
    std::atomic<bool> restored_{false};
};
