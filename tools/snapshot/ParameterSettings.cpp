#include "tools/snapshot/ParameterSettings.h"

#include <cctype>
#include <cstdlib>

#include "plugin/vst/Lumo.h"
#include "runtime/Quill.h"

namespace snapshot {

namespace {

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0';
}

int findParameter(const TQuill& effect, const std::string& key) {
    double number = 0;
    const int count = static_cast<int>(effect.sliderRecords.size());
    if (parseNumber(key, number)) return number >= 0 && number < count ? static_cast<int>(number) : -1;
    std::string name = key;
    int occurrence = 1;
    const size_t hash = key.rfind('#');
    if (hash != std::string::npos && parseNumber(key.substr(hash + 1), number)) {
        name = key.substr(0, hash);
        occurrence = static_cast<int>(number);
    }
    for (int index = 0; index < count; ++index) {
        if (sameText(effect.sliderRecords[static_cast<size_t>(index)].name, name) && --occurrence == 0)
            return index;
    }
    return -1;
}

// The normalised value of a setting's value text, or a negative number when it names nothing.
double normalisedValue(const SliderRecord& record, const std::string& text, bool normalised) {
    const size_t items = record.texts.size();
    for (size_t i = 0; i < items; ++i) {
        if (sameText(record.texts[i], text)) return items > 1 ? static_cast<double>(i) / (items - 1) : 0;
    }
    double value = 0;
    if (!parseNumber(text, value)) return -1;
    if (normalised) return value;
    const double span = record.maximum - record.minimum;
    return span != 0 ? (value - record.minimum) / span : 0;
}

}  // namespace

std::string applySetting(AEffect* effect, const std::string& setting, bool normalised) {
    const size_t equals = setting.find('=');
    if (equals == std::string::npos) return "expected name=value: " + setting;
    auto* adapter = static_cast<CLumo*>(static_cast<AudioEffect*>(effect->object));
    const TQuill& quill = *adapter->effect;
    const int index = findParameter(quill, setting.substr(0, equals));
    if (index < 0) return "no such parameter: " + setting.substr(0, equals);
    const double value = normalisedValue(quill.sliderRecords[static_cast<size_t>(index)],
                                         setting.substr(equals + 1), normalised);
    if (!(value >= 0 && value <= 1)) return "value out of range: " + setting;
    effect->setParameter(effect, index, static_cast<float>(value));
    return {};
}

}  // namespace snapshot
