#include "plugin/bridge/ParameterMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/Quill.h"
#include "runtime/ScriptNumbers.h"

namespace {

double sliderValue(const TQuill& effect, const SliderRecord& record) {
    if (record.number < 0 || record.number >= CQuillSliders::kSliderCount) return 0.0;
    return effect.sliders[record.number];
}

double snapToStep(double v, double step) {
    if (!(step > 0)) return v;
    return std::floor((v + step * 0.5) / step) * step;
}

// Truncation toward zero as a 32-bit conversion does it, with NaN and overflow giving the most
// negative integer.
int32_t truncateToInt32(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// The host values that map into the range the slider can hold, so that whatever getParameter answers
// can be written back; 0..1 for a slider held to its declared range.
void settableRange(const TQuill& effect, const SliderRecord& record, double& lowest, double& highest) {
    lowest = 0;
    highest = 1;
    double low = 0, high = 0;
    const double span = record.maximum - record.minimum;
    if (!effect.SliderHeldRange(record.number, low, high) || !(span > 0)) return;
    lowest = std::min(0.0, (low - record.minimum) / span);
    highest = std::max(1.0, (high - record.minimum) / span);
}

std::string formatValue(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

}  // namespace

float parameterValue(const TQuill& effect, int32_t index) {
    const SliderRecord* record = effect.recordAt(index);
    if (record == nullptr) return 0.0f;
    return static_cast<float>((sliderValue(effect, *record) - record->minimum) /
                              (record->maximum - record->minimum));
}

bool parameterValueToSet(const TQuill& effect, int32_t index, float normalised, double& value) {
    const SliderRecord* record = effect.recordAt(index);
    if (record == nullptr || !std::isfinite(normalised)) return false;
    if (record->number < 0 || record->number >= CQuillSliders::kSliderCount) return false;
    double lowest = 0, highest = 1;
    settableRange(effect, *record, lowest, highest);
    const double x = std::min(highest, std::max(lowest, static_cast<double>(normalised)));
    const double v = snapToStep(record->minimum + x * (record->maximum - record->minimum), record->step);
    if (quill::nearlyEqual(v, effect.sliders[record->number])) return false;
    value = v;
    return true;
}

void setParameterValue(TQuill& effect, int32_t index, float normalised) {
    double v = 0;
    if (!parameterValueToSet(effect, index, normalised, v)) return;
    SliderRecord* record = effect.recordAt(index);
    effect.sliders[record->number] = v;
    if (record->mirror != nullptr) *record->mirror = v;
    effect.DoSlider();
}

double parameterPlainValue(const TQuill& effect, int32_t index) {
    const SliderRecord* record = effect.recordAt(index);
    return record != nullptr ? sliderValue(effect, *record) : 0.0;
}

bool parameterRange(const TQuill& effect, int32_t index, double& minimum, double& maximum) {
    const SliderRecord* record = effect.recordAt(index);
    if (record == nullptr) return false;
    minimum = record->minimum;
    maximum = record->maximum;
    return true;
}

bool parameterNormalised(const TQuill& effect, int32_t index, double plain, float& normalised) {
    double minimum = 0, maximum = 0;
    if (!parameterRange(effect, index, minimum, maximum) || !(maximum > minimum)) return false;
    normalised = static_cast<float>((plain - minimum) / (maximum - minimum));
    return true;
}

std::string parameterName(const TQuill& effect, int32_t index) {
    const SliderRecord* record = effect.recordAt(index);
    return record != nullptr ? record->name : std::string();
}

std::string parameterLabel(const TQuill& effect, int32_t index) {
    const SliderRecord* record = effect.recordAt(index);
    return record != nullptr ? record->label : std::string();
}

std::string parameterDisplay(const TQuill& effect, int32_t index) {
    const SliderRecord* record = effect.recordAt(index);
    return record != nullptr ? parameterDisplayOf(effect, index, sliderValue(effect, *record))
                             : std::string();
}

std::string parameterDisplayOf(const TQuill& effect, int32_t index, double v) {
    const SliderRecord* record = effect.recordAt(index);
    if (record == nullptr) return {};
    const int32_t n = static_cast<int32_t>(record->texts.size());
    int32_t i = truncateToInt32((v - record->minimum) * (n - 1) / (record->maximum - record->minimum));
    if (i < 0) i = 0;
    if (i > n - 1) {
        if (n == 0) return formatValue(v);
        i = n - 1;
    }
    if (i < n) return record->texts[static_cast<size_t>(i)];
    return formatValue(v);
}

bool parameterHeldRange(const TQuill& effect, int32_t index, double& minimum, double& maximum) {
    const SliderRecord* record = effect.recordAt(index);
    if (record == nullptr) return false;
    double lowest = 0, highest = 1;
    settableRange(effect, *record, lowest, highest);
    const double span = record->maximum - record->minimum;
    minimum = record->minimum + lowest * span;
    maximum = record->minimum + highest * span;
    return true;
}
