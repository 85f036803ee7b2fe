// The renderer's failure type: a message for the user and the exit code the program ends with.
#pragma once

#include <stdexcept>
#include <string>

namespace render {

// Distinct codes let scripts tell a bad command line from a missing file or a refused preset.
enum class ExitCode : int {
    ok = 0,
    usage = 1,
    input = 2,
    module = 3,
    parameter = 4,
    preset = 5,
    automation = 6,
    output = 7,
    snapshot = 8,
    interrupted = 130,
};

class RenderError : public std::runtime_error {
  public:
    RenderError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode code() const { return code_; }

  private:
    ExitCode code_;
};

}  // namespace render
