#include "tests/lv2/VstReference.h"

#include <cstring>

#include "effect/QuillEffect.h"

namespace lv2test {

float normalisedValue(uint32_t parameter, float value) {
    static const TQuillEffect description;
    const SliderRecord& record = description.sliderRecords.at(parameter);
    return static_cast<float>((value - record.minimum) / (record.maximum - record.minimum));
}

void applySettings(TestInstance& vst, const Settings& settings) {
    for (const auto& [parameter, value] : settings)
        vst.setParameter(static_cast<int32_t>(parameter), normalisedValue(parameter, value));
}

std::string firstDifference(const std::vector<std::vector<float>>& a,
                            const std::vector<std::vector<float>>& b, int block) {
    for (size_t k = 0; k < 6; ++k) {
        for (size_t j = 0; j < a[k].size(); ++j) {
            if (std::memcmp(&a[k][j], &b[k][j], sizeof(float)) != 0)
                return "block " + std::to_string(block) + " channel " + std::to_string(k) + " frame " +
                       std::to_string(j) + ": " + std::to_string(a[k][j]) + " vs " + std::to_string(b[k][j]);
        }
    }
    return {};
}

}  // namespace lv2test
