// The VST module with the same settings as an LV2 instance: values in the parameters' own units,
// turned into the normalised values a VST host sends.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/host/TestHost.h"

namespace lv2test {

// Host parameter index and value in the parameter's own units.
using Settings = std::vector<std::pair<uint32_t, float>>;

// The normalised value a VST host sends for a value in the parameter's own units.
float normalisedValue(uint32_t parameter, float value);

void applySettings(TestInstance& vst, const Settings& settings);

// The first sample of the six channels that differs bit for bit, or an empty text when all are equal.
std::string firstDifference(const std::vector<std::vector<float>>& a,
                            const std::vector<std::vector<float>>& b, int block = 0);

}  // namespace lv2test
