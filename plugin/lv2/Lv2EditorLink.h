// What the DSP side of the LV2 edition needs from an open panel: its UI registers one of these with
// the instance it draws (through instance access) and withdraws it before it goes.
#pragma once

#include <cstdint>

class CLv2EditorLink {
  public:
    virtual ~CLv2EditorLink() = default;
    // Invalidates the panel's view; 1 when there was one. GUI thread.
    virtual int32_t redraw() = 0;
};
