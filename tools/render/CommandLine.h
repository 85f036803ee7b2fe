// The renderer's command line.
#pragma once

#include <string>
#include <vector>

#include "tools/render/RenderOptions.h"

namespace render {

class CommandLine {
  public:
    // Throws RenderError(usage) for unknown options, missing or malformed values.
    static RenderOptions parse(const std::vector<std::string>& arguments);
    static std::string usage();
};

}  // namespace render
