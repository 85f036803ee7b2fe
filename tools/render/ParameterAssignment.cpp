#include "tools/render/ParameterAssignment.h"

#include "tools/render/RenderError.h"

namespace render {

ParameterAssignment ParameterAssignment::parse(const std::string& text) {
    ParameterAssignment result;
    std::string error;
    if (!settings::ParameterSetting::parse(text, result, error))
        throw RenderError(ExitCode::parameter, error);
    return result;
}

}  // namespace render
