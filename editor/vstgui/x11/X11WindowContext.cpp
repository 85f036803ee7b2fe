#include "editor/vstgui/x11/X11WindowContext.h"

#include <cairo-xlib.h>

#include <cstdint>

namespace VSTGUI {

X11WindowContext* X11WindowContext::create(CFrame* frame, Display* display, Window window, Visual* visual,
                                           int width, int height) {
    if (!display || !window || !visual || width <= 0 || height <= 0) return nullptr;
    cairo_surface_t* surface = cairo_xlib_surface_create(display, window, visual, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    auto* context = new X11WindowContext(frame, cr, display, window, surface);
    // The base context holds its own reference.
    cairo_destroy(cr);
    return context;
}

X11WindowContext::X11WindowContext(CFrame* frame, cairo_t* cr, Display* display, Window window,
                                   cairo_surface_t* surface)
    : CDrawContext(frame, cr, reinterpret_cast<void*>(static_cast<uintptr_t>(window))),
      display_(display),
      surface_(surface) {}

X11WindowContext::~X11WindowContext() {
    cairo_surface_flush(surface_);
    cairo_surface_destroy(surface_);
    XFlush(display_);
}

}  // namespace VSTGUI
