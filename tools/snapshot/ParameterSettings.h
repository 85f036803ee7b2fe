// Parameter settings given on the snapshot tool's command line: name=value.
#pragma once

#include <string>

#include "plugin/sdk/aeffect.h"

namespace snapshot {

// Applies one "name=value" setting through the host parameter interface. The text and the name follow
// the tools' settings grammar (tools/settings/ParameterSetting.h); the value is one of the
// parameter's item texts, or a number in the parameter's own units (normalised 0..1 when normalised
// is set or the value is written "norm:X"). Answers an error message, empty on success.
std::string applySetting(AEffect* effect, const std::string& setting, bool normalised);

}  // namespace snapshot
