#include "plugin/clap/ClapParams.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/bridge/ParameterMapping.h"
#include "plugin/bridge/TextCopy.h"
#include "plugin/clap/ClapAdapter.h"
#include "plugin/clap/ClapInstance.h"
#include "plugin/clap/ClapProcess.h"
#include "runtime/Quill.h"

namespace {

// The effect of a host call on the main thread, or null.
const TQuill* effectOn(const clap_plugin_t* plugin, const char* call) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.main(call)) return nullptr;
    return instance->adapter->effect;
}

const SliderRecord* recordOf(const TQuill* effect, clap_id id) {
    if (effect == nullptr || id >= CClapPanelEvents::kParameters) return nullptr;
    return effect->recordAt(static_cast<int32_t>(id));
}

uint32_t CLAP_ABI count(const clap_plugin_t* plugin) {
    const TQuill* effect = effectOn(plugin, "clap_plugin_params.count");
    if (effect == nullptr) return 0;
    return static_cast<uint32_t>(
        std::min<size_t>(effect->sliderRecords.size(), CClapPanelEvents::kParameters));
}

bool CLAP_ABI getInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) {
    const TQuill* effect = effectOn(plugin, "clap_plugin_params.get_info");
    const SliderRecord* record = recordOf(effect, index);
    if (record == nullptr || info == nullptr || index >= count(plugin)) return false;
    *info = clap_param_info_t{};
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE;
    // Enumerations and switches: the host offers their items, each an integer step.
    if (!record->texts.empty()) info->flags |= CLAP_PARAM_IS_STEPPED;
    copyText(info->name, record->name, sizeof info->name);
    parameterHeldRange(*effect, static_cast<int32_t>(index), info->min_value, info->max_value);
    info->default_value = record->defaultValue;
    return true;
}

bool CLAP_ABI getValue(const clap_plugin_t* plugin, clap_id id, double* value) {
    const TQuill* effect = effectOn(plugin, "clap_plugin_params.get_value");
    if (recordOf(effect, id) == nullptr || value == nullptr) return false;
    *value = parameterPlainValue(*effect, static_cast<int32_t>(id));
    return true;
}

bool CLAP_ABI valueToText(const clap_plugin_t* plugin, clap_id id, double value, char* display,
                          uint32_t size) {
    const TQuill* effect = effectOn(plugin, "clap_plugin_params.value_to_text");
    if (recordOf(effect, id) == nullptr || display == nullptr || size == 0 || !std::isfinite(value))
        return false;
    copyText(display, parameterDisplayOf(*effect, static_cast<int32_t>(id), value), size);
    return true;
}

// An item's text gives the item's value; other text must be a number, taken into the range.
bool CLAP_ABI textToValue(const clap_plugin_t* plugin, clap_id id, const char* display, double* value) {
    const TQuill* effect = effectOn(plugin, "clap_plugin_params.text_to_value");
    const SliderRecord* record = recordOf(effect, id);
    if (record == nullptr || display == nullptr || value == nullptr) return false;
    const size_t items = record->texts.size();
    for (size_t i = 0; i < items; ++i) {
        if (record->texts[i] != display) continue;
        const double span = record->maximum - record->minimum;
        *value = items > 1 ? record->minimum + span * static_cast<double>(i) / static_cast<double>(items - 1)
                           : record->minimum;
        return true;
    }
    char* end = nullptr;
    const double number = std::strtod(display, &end);
    if (end == display || !std::isfinite(number)) return false;
    while (*end == ' ') ++end;
    if (*end != '\0') return false;
    double minimum = 0, maximum = 0;
    parameterHeldRange(*effect, static_cast<int32_t>(id), minimum, maximum);
    *value = std::min(maximum, std::max(minimum, number));
    return true;
}

void CLAP_ABI flush(const clap_plugin_t* plugin, const clap_input_events_t* in,
                    const clap_output_events_t* out) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.mainOrAudio(instance->active, "clap_plugin_params.flush"))
        return;
    flushClapEvents(*instance->adapter, in, out);
}

}  // namespace

const clap_plugin_params_t* clapParamsExtension() {
    static const clap_plugin_params_t extension = {count, getInfo, getValue, valueToText, textToValue, flush};
    return &extension;
}
