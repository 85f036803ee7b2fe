#include "tests/lv2/VstReference.h"

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

}  // namespace lv2test
