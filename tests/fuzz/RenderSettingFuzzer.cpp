// Any text as the renderer's "NAME=VALUE" setting (a --param option or an automation line's
// change): it is refused with a parameter error, or it names one of the plug-in's parameters and a
// value from 0 to 1 that the plug-in takes.
#include <cmath>
#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzInstance.h"
#include "tests/fuzz/RenderPlugin.h"
#include "tools/render/ParameterAssignment.h"
#include "tools/render/ParameterResolver.h"
#include "tools/render/RenderError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    render::ParameterAssignment assignment;
    try {
        assignment = render::ParameterAssignment::parse(text);
    } catch (const render::RenderError& error) {
        fuzzCheck(error.code() == render::ExitCode::parameter, "a malformed setting is a parameter error");
        return 0;
    }
    // The probe keeps its values between inputs: the resolver puts back every value it tries.
    static RenderPlugin probe;
    static RenderPlugin target;
    const render::ParameterResolver resolver(probe.instance);
    render::ResolvedParameter resolved;
    try {
        resolved = resolver.resolve(assignment);
    } catch (const render::RenderError& error) {
        fuzzCheck(error.code() == render::ExitCode::parameter,
                  "a setting that names nothing is a parameter error");
        return 0;
    }
    fuzzCheck(resolved.index >= 0 && resolved.index < target.instance.numParams(), "a resolved index exists");
    fuzzCheck(std::isfinite(resolved.value) && resolved.value >= 0 && resolved.value <= 1,
              "a resolved value lies in 0..1");
    target.instance.setParameter(resolved.index, resolved.value);
    checkSliders(target.instance.effect());
    return 0;
}
