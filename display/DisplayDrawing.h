// The display's side of the drawing bridge table: the graphics and image bridges that act on the
// adapter's paint in progress, for the runtime's drawing operations to call.
#pragma once

#include "runtime/DrawingBridges.h"

// Any thread; the table holds plain function pointers and can be copied freely.
DrawingBridges displayDrawingBridges();
