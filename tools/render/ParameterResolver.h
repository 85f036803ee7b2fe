// Turns the user's "NAME=VALUE" into a parameter index and the normalised value the plug-in
// takes. Display values are found by asking a separate probe instance which normalised value
// shows the requested text, so the instance that renders never sees the search.
#pragma once

#include <string>
#include <vector>

#include "tools/render/ParameterAssignment.h"
#include "tools/render/PluginInstance.h"

namespace render {

struct ResolvedParameter {
    int index = 0;
    float value = 0;
};

class ParameterResolver {
  public:
    explicit ParameterResolver(const PluginInstance& probe);

    // The settings' rule for names, "name#k" and indices (tools/settings/ParameterSetting.h).
    // Throws RenderError(parameter).
    int indexOf(const std::string& parameter) const;
    float normalisedValue(int index, const ParameterAssignment& assignment) const;
    ResolvedParameter resolve(const ParameterAssignment& assignment) const;
    bool has(const std::string& parameter) const;

  private:
    float fromDisplayText(int index, const std::string& text) const;
    std::string displayAt(int index, double x) const;
    std::string describeValues(int index) const;

    const PluginInstance& probe_;
    std::vector<std::string> names_;
};

}  // namespace render
