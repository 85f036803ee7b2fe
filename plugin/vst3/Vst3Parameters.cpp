#include "plugin/vst3/Vst3Parameters.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "plugin/bridge/ParameterMapping.h"
#include "plugin/vst3/Vst3Text.h"
#include "runtime/Quill.h"

namespace {

double unitInterval(double v) {
    if (!(v > 0)) return 0;  // NaN too
    return v < 1 ? v : 1;
}

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    }
    return true;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const SliderRecord* recordOf(const TQuill& effect, v3_param_id id) {
    return id < effect.sliderRecords.size() ? &effect.sliderRecords[id] : nullptr;
}

}  // namespace

int32_t vst3BypassId(const TQuill& effect) {
    return static_cast<int32_t>(effect.sliderRecords.size());
}

int32_t vst3ParameterCount(const TQuill& effect) {
    return vst3BypassId(effect) + 1;
}

bool vst3IsParameter(const TQuill& effect, v3_param_id id) {
    return id < static_cast<v3_param_id>(vst3ParameterCount(effect));
}

bool vst3PlainRange(const TQuill& effect, v3_param_id id, double& minimum, double& maximum) {
    if (recordOf(effect, id) == nullptr) return false;
    return parameterHeldRange(effect, static_cast<int32_t>(id), minimum, maximum) && maximum > minimum;
}

double vst3ToPlain(const TQuill& effect, v3_param_id id, double normalised) {
    double minimum = 0, maximum = 1;
    if (!vst3PlainRange(effect, id, minimum, maximum)) return unitInterval(normalised) >= 0.5 ? 1 : 0;
    return minimum + unitInterval(normalised) * (maximum - minimum);
}

double vst3ToNormalised(const TQuill& effect, v3_param_id id, double plain) {
    double minimum = 0, maximum = 1;
    if (!vst3PlainRange(effect, id, minimum, maximum)) return plain >= 0.5 ? 1 : 0;
    return unitInterval((plain - minimum) / (maximum - minimum));
}

float vst3ToBridgeValue(const TQuill& effect, v3_param_id id, double normalised) {
    float value = 0.0f;
    if (recordOf(effect, id) == nullptr) return value;
    parameterNormalised(effect, static_cast<int32_t>(id), vst3ToPlain(effect, id, normalised), value);
    return value;
}

double vst3CurrentNormalised(const TQuill& effect, v3_param_id id) {
    if (recordOf(effect, id) == nullptr) return 0;
    return vst3ToNormalised(effect, id, parameterPlainValue(effect, static_cast<int32_t>(id)));
}

bool vst3ParameterInfo(const TQuill& effect, int32_t index, v3_param_info& info) {
    if (index < 0 || index >= vst3ParameterCount(effect)) return false;
    info = v3_param_info{};
    info.param_id = static_cast<v3_param_id>(index);
    info.unit_id = 0;
    info.flags = V3_PARAM_CAN_AUTOMATE;
    const SliderRecord* record = recordOf(effect, info.param_id);
    if (record == nullptr) {
        copyToUtf16(info.title, 128, "Bypass");
        copyToUtf16(info.short_title, 128, "Bypass");
        info.step_count = 1;
        info.flags |= V3_PARAM_IS_BYPASS;
        return true;
    }
    copyToUtf16(info.title, 128, record->name);
    copyToUtf16(info.short_title, 128, record->name);
    copyToUtf16(info.units, 128, record->label);
    if (!record->texts.empty()) {
        info.step_count = static_cast<int32_t>(record->texts.size()) - 1;
        info.flags |= V3_PARAM_IS_LIST;
    }
    info.default_normalised_value = vst3ToNormalised(effect, info.param_id, record->defaultValue);
    return true;
}

std::string vst3DisplayText(const TQuill& effect, v3_param_id id, double normalised) {
    if (!vst3IsParameter(effect, id)) return {};
    const double plain = vst3ToPlain(effect, id, normalised);
    if (recordOf(effect, id) == nullptr) return plain >= 0.5 ? "On" : "Off";
    const auto index = static_cast<int32_t>(id);
    return parameterDisplayOf(effect, index, parameterSnapped(effect, index, plain));
}

bool vst3ValueFromText(const TQuill& effect, v3_param_id id, const std::string& text, double& normalised) {
    if (!vst3IsParameter(effect, id)) return false;
    const std::string wanted = trimmed(text);
    const SliderRecord* record = recordOf(effect, id);
    if (record == nullptr) {
        if (sameText(wanted, "On") || wanted == "1")
            normalised = 1;
        else if (sameText(wanted, "Off") || wanted == "0")
            normalised = 0;
        else
            return false;
        return true;
    }
    const size_t items = record->texts.size();
    for (size_t k = 0; k < items; ++k) {
        if (!sameText(wanted, record->texts[k])) continue;
        const double plain = record->minimum + (record->maximum - record->minimum) * static_cast<double>(k) /
                                                   static_cast<double>(items > 1 ? items - 1 : 1);
        normalised = vst3ToNormalised(effect, id, plain);
        return true;
    }
    if (wanted.empty()) return false;
    char* end = nullptr;
    const double plain = std::strtod(wanted.c_str(), &end);
    if (end == wanted.c_str() || !std::isfinite(plain)) return false;
    normalised = vst3ToNormalised(effect, id, plain);
    return true;
}
