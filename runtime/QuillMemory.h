// Block memory store of a script effect.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CQuillMemory {
  public:
    // Buffers are released when their entry is removed.
    std::map<int32_t, std::unique_ptr<std::vector<double>>> memoryBlocks;
};
