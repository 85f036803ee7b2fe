#include "tools/render/AutomationFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tools/render/RenderError.h"
#include "tools/settings/TextUtil.h"

namespace render {

using settings::parseNumber;
using settings::trim;

std::vector<AutomationEvent> AutomationFile::parse(const std::string& text, const std::string& source) {
    std::vector<AutomationEvent> events;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string content = trim(line);
        if (content.empty() || content[0] == '#') continue;
        events.push_back(parseLine(content, number, source));
    }
    std::stable_sort(events.begin(), events.end(), [](const AutomationEvent& a, const AutomationEvent& b) {
        return a.seconds < b.seconds;
    });
    return events;
}

AutomationEvent AutomationFile::parseLine(const std::string& line, int number, const std::string& source) {
    const std::string where = source + ":" + std::to_string(number) + ": ";
    const auto gap = line.find_first_of(" \t");
    if (gap == std::string::npos)
        throw RenderError(ExitCode::automation, where + "expected 'SECONDS NAME=VALUE', got '" + line + "'");
    AutomationEvent event;
    event.line = number;
    const std::string time = line.substr(0, gap);
    if (!parseNumber(time, event.seconds))
        throw RenderError(ExitCode::automation, where + "time '" + time + "' is not a number of seconds");
    if (event.seconds < 0)
        throw RenderError(ExitCode::automation, where + "time " + time + " is before the start");
    try {
        event.assignment = ParameterAssignment::parse(line.substr(gap + 1));
    } catch (const RenderError& error) {
        throw RenderError(ExitCode::automation, where + error.what());
    }
    return event;
}

std::vector<AutomationEvent> AutomationFile::load(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw RenderError(ExitCode::automation, "cannot open automation file " + path);
    std::stringstream content;
    content << file.rdbuf();
    return parse(content.str(), path);
}

}  // namespace render
