// The effect's handle on the adapter that hosts it.
#pragma once

#include "runtime/QuillMemory.h"

class CHostAdapter;

class CQuillLumo : public CQuillMemory {
  public:
    // Set by the entry point right after construction; null when no adapter could be made.
    CHostAdapter* adapter = nullptr;
};
