// Base class of every script effect: the sections it fills and the runtime's default operations.
#pragma once

#include "runtime/QuillMouse.h"

class TQuill : public CQuillMouse {
  public:
    TQuill();
    ~TQuill() override = default;

    // Host opened the effect. Dispatcher thread.
    virtual void DoOpen();
    // Host closed the effect. Dispatcher thread.
    virtual void DoClose() {}
    // Host switched the effect off. Dispatcher thread.
    virtual void DoSuspend() {}
    // Host switched the effect on: init section, then slider section. Dispatcher thread.
    virtual void DoResume();
    // Init section. Dispatcher thread.
    virtual void DoInit() {}
    // Runs the init section on the first state load only; answers how many loads ran it.
    virtual int DoInitOnce();
    // Graphics section, once per paint. GUI thread.
    virtual void DoGfx() {}
    // Timed refresh, once per editor idle. GUI thread.
    virtual void DoGfxTimer();
    // Serialize section: writes or reads values through file record 0. Dispatcher thread.
    virtual void DoSerialize() {}
    // State load; answers the byte count accepted. Dispatcher thread.
    virtual int32_t DoSetChunk(const void* data, int32_t byteCount, bool isPreset);
    // State save; answers the byte count and points data at the state. Dispatcher thread.
    virtual int32_t DoGetChunk(void** data, bool isPreset);

    // The range slider `number` can hold: its record's, or wider where the effect's own controls reach
    // further. False when no record declares the number. Any thread.
    virtual bool SliderHeldRange(int32_t number, double& low, double& high) const;

    // Tells the host the current value of one slider, given by its place in the slider values. GUI thread.
    double SliderAutomate(const SharedDouble* slider);
    // The same for every slider whose bit (k - 1) is set in the mask (sliders 1 to 32). GUI thread.
    double SliderAutomate(double mask);

    // The timed refresh's state: GUI thread.
    int32_t lastRefreshClock = 0;
    // False until the timed refresh first fires after construction or open: the first one is always due,
    // whatever the clock reads then.
    bool refreshedSinceOpen = false;
    int32_t initCount = 0;  // dispatcher thread (state loads)

  protected:
    void automateSlider(int32_t number);

    // Asks the editor to repaint; the one seam through which the timed refresh reaches the window.
    virtual void RequestRepaint();
    // Milliseconds of the clock the timed refresh measures with.
    virtual int32_t RefreshClock() const;
};
