// The VST 3 component: one object that is both the audio processor and the edit controller. The
// panel draws the running engine (positions, meters) and its controls are the engine's own
// parameters, so a controller apart from the processor would need a message channel to show
// what the single object has at hand; hosts take the controller from the component when it offers
// one. Setup and state on the main thread, processing on the audio thread.
#pragma once

#include <atomic>

#include "plugin/vst3/Vst3Bypass.h"
#include "plugin/vst3/Vst3Face.h"
#include <travesty/audio_processor.h>
#include <travesty/component.h>
#include <travesty/edit_controller.h>

class CVst3Adapter;

class CVst3Plugin {
  public:
    // Answers the new object's interface iid (referenced once), or null when it has none.
    static void* create(const v3_tuid iid);

    // The interfaces' function tables call these; any thread for the reference count.
    v3_result query(const v3_tuid iid, void** object);
    uint32_t ref() { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }
    uint32_t unref();

    CVst3Adapter& adapter() { return *adapter_; }
    CVst3Bypass& bypass() { return bypass_; }
    // Main thread.
    v3_result initialize();
    v3_result terminate();
    v3_result setActive(bool active);

  private:
    CVst3Plugin();
    ~CVst3Plugin();

    Vst3Face<CVst3Plugin> component_;
    Vst3Face<CVst3Plugin> processor_;
    Vst3Face<CVst3Plugin> controller_;
    Vst3Face<CVst3Plugin> requirements_;
    std::atomic<uint32_t> references_{1};
    CVst3Adapter* adapter_ = nullptr;
    CVst3Bypass bypass_;
    // Host calls of initialize / terminate through either interface. Main thread.
    int32_t initialized_ = 0;
    bool active_ = false;
};
