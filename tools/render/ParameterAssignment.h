// One "NAME=VALUE" setting as the user wrote it, before it is matched against a module.
#pragma once

#include <string>

namespace render {

struct ParameterAssignment {
    std::string parameter;  // a name, "name#2" for a repeated name, or an index
    std::string value;      // a display text, or a number from 0 to 1 when normalised
    bool normalised = false;

    // Parses "NAME=VALUE" or "NAME=norm:X"; throws RenderError(parameter) on a malformed text.
    static ParameterAssignment parse(const std::string& text);
};

}  // namespace render
