// What an adapter needs of the panel window that shows its instance: the window registers itself
// with the adapter while it exists (CAdapterKit::attachWindow), so that the effect's repaint requests
// reach it whichever binary the window lives in.
#pragma once

#include <cstdint>

class IEditorLink {
  public:
    virtual ~IEditorLink() = default;
    // Invalidates the window's view; 1 when there was one. GUI thread.
    virtual int32_t redraw() = 0;
};
