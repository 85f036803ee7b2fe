// The process-wide, reference-counted GDI+ start-up. Frames, bitmaps and contexts hold it for their
// lifetime; the last release shuts GDI+ down, and the next acquire starts it again.
#pragma once

#include <cstdint>

namespace VSTGUI {

class GDIPlusGlobals {
  public:
    // GUI thread.
    static void acquire();
    static void release();
    static bool isRunning() { return instance_ != nullptr; }
    // Counts start-ups, so that objects made under an earlier one are recognised as gone.
    static unsigned generation() { return generation_; }
    static int32_t referenceCount() { return instance_ ? instance_->references_ : 0; }

  private:
    GDIPlusGlobals() = default;

    static GDIPlusGlobals* instance_;
    static unsigned generation_;
    uintptr_t token_ = 0;
    int32_t references_ = 1;
};

}  // namespace VSTGUI
