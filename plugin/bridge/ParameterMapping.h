// Host parameters as the effect's sliders: a parameter index is a slider record's position, its
// normalised value the slider value's place in the record's range.
#pragma once

#include <cstdint>
#include <string>

class TQuill;

// 0 for an index without a record.
float parameterValue(const TQuill& effect, int32_t index);
// Sets the slider from a normalised value, snapped to its step; runs the slider section when the
// value changed. Non-finite values are ignored, others clamped to the values that map into the range
// the slider can hold (0..1 unless the effect holds more than the declared range).
void setParameterValue(TQuill& effect, int32_t index, float normalised);
// The slider value setParameterValue would set for the normalised value, without setting it; false
// when it would set none. Any thread.
bool parameterValueToSet(const TQuill& effect, int32_t index, float normalised, double& value);
// The slider value behind the parameter in its own units; 0 for an index without a record.
double parameterPlainValue(const TQuill& effect, int32_t index);
// The parameter's declared range in its own units, which normalised 0..1 spans; false without a record.
bool parameterRange(const TQuill& effect, int32_t index, double& minimum, double& maximum);
// A value in the parameter's own units as the normalised value that stands for it, for hosts that
// send plain values; outside 0..1 for values beyond the declared range. False without a record or
// with an empty range.
bool parameterNormalised(const TQuill& effect, int32_t index, double plain, float& normalised);
// Empty for an index without a record.
std::string parameterName(const TQuill& effect, int32_t index);
std::string parameterLabel(const TQuill& effect, int32_t index);
std::string parameterDisplay(const TQuill& effect, int32_t index);
// The text parameterDisplay would show if the slider held the value (in the parameter's own units).
std::string parameterDisplayOf(const TQuill& effect, int32_t index, double value);
// The range the slider can hold in the parameter's own units: the declared one, or wider where the
// effect's own controls reach further; false without a record.
bool parameterHeldRange(const TQuill& effect, int32_t index, double& minimum, double& maximum);
