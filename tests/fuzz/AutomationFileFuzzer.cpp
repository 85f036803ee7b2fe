// Any text as an automation file: the renderer refuses it with a message naming the line, or reads
// events in time order, each at a finite time from the start and with a name and a value.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzInstance.h"
#include "tools/render/AutomationFile.h"
#include "tools/render/RenderError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<render::AutomationEvent> events;
    try {
        events = render::AutomationFile::parse(text, "fuzz.txt");
    } catch (const render::RenderError& error) {
        fuzzCheck(error.code() == render::ExitCode::automation,
                  "a bad automation file is an automation error");
        fuzzCheck(std::string(error.what()).rfind("fuzz.txt:", 0) == 0,
                  "the message names the file and line");
        return 0;
    }
    double previous = 0;
    for (const render::AutomationEvent& event : events) {
        fuzzCheck(std::isfinite(event.seconds) && event.seconds >= previous, "events come in time order");
        fuzzCheck(!event.assignment.parameter.empty() && !event.assignment.value.empty(),
                  "every event names a parameter and a value");
        fuzzCheck(event.line >= 1, "every event knows its line");
        previous = event.seconds;
    }
    return 0;
}
