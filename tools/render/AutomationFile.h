// Parameter automation read from a text file: one change per line, "SECONDS NAME=VALUE".
// Blank lines and lines starting with '#' are skipped; VALUE follows the --param rules.
#pragma once

#include <string>
#include <vector>

#include "tools/render/ParameterAssignment.h"

namespace render {

struct AutomationEvent {
    double seconds = 0;
    ParameterAssignment assignment;
    int line = 0;  // for messages that point back into the file
};

class AutomationFile {
  public:
    // Events in time order (lines with equal times keep their file order). Throws
    // RenderError(automation) with "source:line: reason" at the first bad line.
    static std::vector<AutomationEvent> parse(const std::string& text, const std::string& source);
    static std::vector<AutomationEvent> load(const std::string& path);

  private:
    static AutomationEvent parseLine(const std::string& line, int number, const std::string& source);
};

}  // namespace render
