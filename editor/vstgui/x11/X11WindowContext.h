// A drawing context on a frame's X window (through a Cairo Xlib surface). Its destruction pushes
// everything drawn to the server.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include "editor/vstgui/CDrawContext.h"

namespace VSTGUI {

class X11WindowContext : public CDrawContext {
  public:
    // GUI thread. Null when the surface cannot be made.
    static X11WindowContext* create(CFrame* frame, Display* display, Window window, Visual* visual, int width,
                                    int height);
    // GUI thread.
    ~X11WindowContext() override;

  private:
    X11WindowContext(CFrame* frame, cairo_t* cr, Display* display, Window window, cairo_surface_t* surface);

    Display* display_;
    cairo_surface_t* surface_;
};

}  // namespace VSTGUI
