// One "NAME=VALUE" setting as the user wrote it, before it is matched against a module.
#pragma once

#include <string>

#include "tools/settings/ParameterSetting.h"

namespace render {

struct ParameterAssignment : settings::ParameterSetting {
    // The settings grammar (tools/settings/ParameterSetting.h); throws RenderError(parameter) on a
    // malformed text.
    static ParameterAssignment parse(const std::string& text);
};

}  // namespace render
