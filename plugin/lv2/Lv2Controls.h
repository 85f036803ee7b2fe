// The control input ports. A port is applied to the effect only when the host changed it since the
// last value applied, so that values the panel or a state restore gave the effect stay until the
// host really moves the control.
#pragma once

#include <atomic>
#include <cstdint>

#include "plugin/lv2/Lv2Ports.h"

class CHostAdapter;

class CLv2Controls {
  public:
    CLv2Controls();

    // Any thread the host connects on (never during run()).
    void connect(uint32_t parameter, const float* port);
    // After a state restore the ports' present values count as applied. Instantiation thread.
    void markRestored() { restored_.store(true, std::memory_order_release); }
    // Applies every connected port whose value changed: brought into the declared range, turned
    // into the normalised value and set through the bridge as a VST host's parameter change (snapped,
    // then the slider section); non-finite values are ignored. Audio thread, or the instantiation
    // thread while the plug-in is not running.
    void apply(CHostAdapter& adapter);
    // The parameter's value in its own units right after the host's last change was applied; NaN
    // before any. Lets the UI tell the host's changes from the panel's. Inline: the UI binary reads
    // it. Any thread.
    float hostResult(uint32_t parameter) const {
        return parameter < lv2ports::kControlCount ? hostResult_[parameter].load(std::memory_order_relaxed)
                                                   : 0.0f;
    }

  private:
    const float* ports_[lv2ports::kControlCount] = {};
    // NaN until a port was first applied.
    float applied_[lv2ports::kControlCount];
    std::atomic<float> hostResult_[lv2ports::kControlCount];
    std::atomic<bool> restored_{false};
};
