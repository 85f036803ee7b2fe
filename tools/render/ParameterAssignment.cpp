#include "tools/render/ParameterAssignment.h"

#include "tools/render/RenderError.h"
#include "tools/render/TextUtil.h"

namespace render {

namespace {
constexpr const char* kNormalisedPrefix = "norm:";
}

ParameterAssignment ParameterAssignment::parse(const std::string& text) {
    // The last '=' separates, so names that contain '=' still work; values never do.
    const auto equals = text.rfind('=');
    if (equals == std::string::npos)
        throw RenderError(ExitCode::parameter, "expected NAME=VALUE, got '" + text + "'");
    ParameterAssignment result;
    result.parameter = trim(text.substr(0, equals));
    result.value = trim(text.substr(equals + 1));
    if (result.parameter.empty())
        throw RenderError(ExitCode::parameter, "missing parameter name in '" + text + "'");
    if (startsWith(result.value, kNormalisedPrefix)) {
        result.normalised = true;
        result.value = trim(result.value.substr(std::char_traits<char>::length(kNormalisedPrefix)));
        double x = 0;
        if (!parseNumber(result.value, x) || x < 0.0 || x > 1.0)
            throw RenderError(ExitCode::parameter,
                              "normalised value must be a number from 0 to 1 in '" + text + "'");
    }
    if (result.value.empty()) throw RenderError(ExitCode::parameter, "missing value in '" + text + "'");
    return result;
}

}  // namespace render
