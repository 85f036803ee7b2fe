#include "tools/snapshot/ParameterSettings.h"

#include <vector>

#include "plugin/vst/Lumo.h"
#include "runtime/Quill.h"
#include "tools/settings/ParameterSetting.h"
#include "tools/settings/TextUtil.h"

namespace snapshot {

namespace {

// The normalised value of a setting's value text, or a negative number when it names nothing.
double normalisedValue(const SliderRecord& record, const settings::ParameterSetting& setting,
                       bool normalised) {
    const size_t items = record.texts.size();
    for (size_t i = 0; i < items; ++i) {
        if (settings::equalsIgnoringCase(record.texts[i], setting.value))
            return items > 1 ? static_cast<double>(i) / (items - 1) : 0;
    }
    double value = 0;
    if (!settings::parseNumber(setting.value, value)) return -1;
    if (normalised || setting.normalised) return value;
    const double span = record.maximum - record.minimum;
    return span != 0 ? (value - record.minimum) / span : 0;
}

std::vector<std::string> parameterNames(const TQuill& effect) {
    std::vector<std::string> names;
    for (const SliderRecord& record : effect.sliderRecords) names.push_back(record.name);
    return names;
}

}  // namespace

std::string applySetting(AEffect* effect, const std::string& text, bool normalised) {
    settings::ParameterSetting setting;
    std::string error;
    if (!settings::ParameterSetting::parse(text, setting, error)) return error;
    auto* adapter = static_cast<CLumo*>(static_cast<AudioEffect*>(effect->object));
    const TQuill& quill = *adapter->effect;
    const int index = settings::findParameter(parameterNames(quill), setting.parameter, error);
    if (index < 0) return error;
    const double value =
        normalisedValue(quill.sliderRecords[static_cast<size_t>(index)], setting, normalised);
    if (!(value >= 0 && value <= 1)) return "value out of range: " + text;
    effect->setParameter(effect, index, static_cast<float>(value));
    return {};
}

}  // namespace snapshot
