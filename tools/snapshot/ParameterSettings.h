// Parameter settings given on the snapshot tool's command line: name=value.
#pragma once

#include <string>

#include "plugin/sdk/aeffect.h"

namespace snapshot {

// Applies one "name=value" setting through the host parameter interface. The name is a parameter
// index or name (the n-th of several equal names as "name#n"); the value is one of the parameter's
// item texts, or a number in the parameter's own units (normalised 0..1 when normalised is set).
// Answers an error message, empty on success.
std::string applySetting(AEffect* effect, const std::string& setting, bool normalised);

}  // namespace snapshot
