// Slider automation: the effect's own panel moves a slider and the host records it.
#include "plugin/boundary/ReverseFunctions.h"
#include "runtime/Quill.h"
#include "runtime/ScriptNumbers.h"

double TQuill::SliderAutomate(const SharedDouble* slider) {
    if (slider != nullptr && slider >= sliders + 1 && slider < sliders + kSliderCount) {
        automateSlider(static_cast<int32_t>(slider - sliders));
    }
    return 0.0;
}

double TQuill::SliderAutomate(double mask) {
    const uint32_t bits = static_cast<uint32_t>(quill::toIndex(mask));
    for (int32_t number = 1; number <= 32; ++number) {
        if (bits & (1u << (number - 1))) automateSlider(number);
    }
    return 0.0;
}

void TQuill::automateSlider(int32_t number) {
    // The last record declared for a slider number is the one the host knows it by.
    for (int32_t index = static_cast<int32_t>(sliderRecords.size()) - 1; index >= 0; --index) {
        const SliderRecord& record = sliderRecords[static_cast<size_t>(index)];
        if (record.number != number) continue;
        const double value = (sliders[number] - record.minimum) / (record.maximum - record.minimum);
        adapterAutomate(adapter, index, value);
        return;
    }
}
