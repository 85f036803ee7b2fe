// The effect's parameters as VST 3 sees them: ids 0-22 are the slider records in their host order,
// followed by the bypass switch. Normalised values span the range the parameter can hold (for the
// Speed parameters the panel's whole range, not only the declared one), so every value the panel
// sets has a normalised value the host can automate and save.
#pragma once

#include <cstdint>
#include <string>

#include <travesty/edit_controller.h>

class TQuill;

// The bypass parameter's id: the first after the effect's own.
int32_t vst3BypassId(const TQuill& effect);
// The effect's parameters and the bypass switch.
int32_t vst3ParameterCount(const TQuill& effect);
bool vst3IsParameter(const TQuill& effect, v3_param_id id);

// False for an id that is no parameter (the bypass switch included).
bool vst3PlainRange(const TQuill& effect, v3_param_id id, double& minimum, double& maximum);
// Normalised values outside 0..1 or not a number are brought to the nearest end (NaN to 0).
double vst3ToPlain(const TQuill& effect, v3_param_id id, double normalised);
double vst3ToNormalised(const TQuill& effect, v3_param_id id, double plain);
// The value the bridge's parameter setter takes for a normalised value.
float vst3ToBridgeValue(const TQuill& effect, v3_param_id id, double normalised);
// The effect's present value of an effect parameter, normalised; 0 for any other id.
double vst3CurrentNormalised(const TQuill& effect, v3_param_id id);

// False for an index past the last parameter.
bool vst3ParameterInfo(const TQuill& effect, int32_t index, v3_param_info& info);
// The VST 2.4 edition's display text of the value; the bypass switch shows "Off" / "On".
std::string vst3DisplayText(const TQuill& effect, v3_param_id id, double normalised);
// An item text, or a number in the parameter's own units (a unit may follow); false otherwise.
bool vst3ValueFromText(const TQuill& effect, v3_param_id id, const std::string& text, double& normalised);
