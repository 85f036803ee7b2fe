// The effect's handles on what hosts it: the adapter, and the drawing bridges of its display.
#pragma once

#include "runtime/DrawingBridges.h"
#include "runtime/QuillMemory.h"

class CHostAdapter;

class CQuillLumo : public CQuillMemory {
  public:
    // Set by the entry point right after construction; null when no adapter could be made.
    CHostAdapter* adapter = nullptr;
    // Filled by an effect that draws; empty (draws nothing) otherwise.
    DrawingBridges drawing{};
};
