// A plug-in state saved to a file: the raw bytes effGetChunk answers, as orbitone-render hands them on.
#pragma once

#include <string>

#include "plugin/sdk/aeffect.h"

namespace snapshot {

// Reads the file and gives it to the instance with effSetChunk. A state is taken only when it has
// the length and leading marker of the instance's own state and holds finite values, so that a
// truncated or foreign file never reaches the effect. Answers an error message, empty on success.
std::string loadStateFile(AEffect* effect, const std::string& path);

}  // namespace snapshot
