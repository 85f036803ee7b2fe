#include "tools/render/ParameterResolver.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tools/render/RenderError.h"
#include "tools/settings/TextUtil.h"

namespace render {

using settings::equalsIgnoringCase;
using settings::parseNumber;
using settings::trim;

namespace {

// Fine enough that every step of a 0..1000 range in steps of 1 is visited at least once.
constexpr int kScanSteps = 2000;
constexpr int kBisections = 50;
constexpr size_t kMaxListedValues = 12;

// The number a display text starts with ("250.00", "-3.5 dB"); false when it starts with none.
bool leadingNumber(const std::string& text, double& value, int& decimals) {
    const std::string t = trim(text);
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || !std::isfinite(value)) return false;
    const char* dot = std::strchr(t.c_str(), '.');
    decimals = dot && dot < end ? static_cast<int>(end - dot - 1) : 0;
    return true;
}

// A display of "25.00" stands for any value that rounds to it.
bool showsNumber(const std::string& shown, double target) {
    double value = 0;
    int decimals = 0;
    if (!leadingNumber(shown, value, decimals)) return false;
    const double tolerance = 0.5 * std::pow(10.0, -decimals) + 1e-9 * std::fabs(target);
    return std::fabs(value - target) <= tolerance;
}

bool shows(const std::string& shown, const std::string& text) {
    if (equalsIgnoringCase(trim(shown), trim(text))) return true;
    double target = 0;
    return parseNumber(text, target) && showsNumber(shown, target);
}

}  // namespace

ParameterResolver::ParameterResolver(const PluginInstance& probe) : probe_(probe) {
    for (int i = 0; i < probe.numParams(); ++i) names_.push_back(probe.parameterName(i));
}

int ParameterResolver::indexOf(const std::string& parameter) const {
    std::string error;
    const int index = settings::findParameter(names_, parameter, error);
    if (index >= 0) return index;
    if (error.rfind("unknown parameter", 0) == 0) error += " (see --list-params for names and indices)";
    throw RenderError(ExitCode::parameter, error);
}

bool ParameterResolver::has(const std::string& parameter) const {
    try {
        indexOf(parameter);
        return true;
    } catch (const RenderError&) {
        return false;
    }
}

std::string ParameterResolver::displayAt(int index, double x) const {
    probe_.setParameter(index, static_cast<float>(x));
    return probe_.parameterDisplay(index);
}

std::string ParameterResolver::describeValues(int index) const {
    std::vector<std::string> distinct;
    for (int i = 0; i <= kScanSteps; ++i) {
        const std::string shown = trim(displayAt(index, static_cast<double>(i) / kScanSteps));
        if (distinct.empty() || distinct.back() != shown) distinct.push_back(shown);
    }
    if (distinct.size() > kMaxListedValues) return "run from " + distinct.front() + " to " + distinct.back();
    std::string list = "are ";
    for (const std::string& shown : distinct) list += (&shown == &distinct.front() ? "" : ", ") + shown;
    return list;
}

float ParameterResolver::fromDisplayText(int index, const std::string& text) const {
    const float original = probe_.parameter(index);
    // A plug-in that converts texts itself knows best.
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(text.size() + 512, '\0');
    if (probe_.dispatch(effString2Parameter, index, 0, buffer.data()) != 0) {
        const float value = probe_.parameter(index);
        probe_.setParameter(index, original);
        return value;
    }

    // Otherwise: the middle of the first run of scanned values that show the text ...
    std::vector<std::string> shown(kScanSteps + 1);
    for (int i = 0; i <= kScanSteps; ++i) shown[i] = displayAt(index, static_cast<double>(i) / kScanSteps);
    int first = -1, last = -1;
    for (int i = 0; i <= kScanSteps && (first < 0 || last == i - 1); ++i)
        if (shows(shown[i], text)) {
            if (first < 0) first = i;
            last = i;
        }
    double candidate = first >= 0 ? (first + last) / 2.0 / kScanSteps : -1.0;

    // ... or, for a number that falls between two scanned values, a bisection between them.
    double target = 0;
    int unusedDecimals = 0;
    if (candidate < 0 && parseNumber(text, target)) {
        for (int i = 0; i < kScanSteps && candidate < 0; ++i) {
            double a = 0, b = 0;
            if (!leadingNumber(shown[i], a, unusedDecimals) ||
                !leadingNumber(shown[i + 1], b, unusedDecimals))
                continue;
            if ((a - target) * (b - target) > 0) continue;
            double lo = static_cast<double>(i) / kScanSteps, hi = static_cast<double>(i + 1) / kScanSteps;
            for (int step = 0; step < kBisections && candidate < 0; ++step) {
                const double mid = 0.5 * (lo + hi);
                double value = 0;
                const std::string midShown = displayAt(index, mid);
                if (showsNumber(midShown, target))
                    candidate = mid;
                else if (leadingNumber(midShown, value, unusedDecimals) &&
                         (value - target) * (a - target) > 0)
                    lo = mid;
                else
                    hi = mid;
            }
        }
    }

    const bool found = candidate >= 0 && shows(displayAt(index, candidate), text);
    if (!found) {
        const std::string values = describeValues(index);
        probe_.setParameter(index, original);
        throw RenderError(ExitCode::parameter,
                          "'" + names_[index] + "' cannot show '" + text + "'; its values " + values);
    }
    probe_.setParameter(index, original);
    return static_cast<float>(candidate);
}

float ParameterResolver::normalisedValue(int index, const ParameterAssignment& assignment) const {
    if (!assignment.normalised) return fromDisplayText(index, assignment.value);
    double x = 0;
    parseNumber(assignment.value, x);
    return static_cast<float>(x);
}

ResolvedParameter ParameterResolver::resolve(const ParameterAssignment& assignment) const {
    ResolvedParameter resolved;
    resolved.index = indexOf(assignment.parameter);
    resolved.value = normalisedValue(resolved.index, assignment);
    return resolved;
}

}  // namespace render
