#include "runtime/QuillDescription.h"

#include "runtime/FolderListing.h"
#include "runtime/PluginPaths.h"

int CQuillDescription::AddSlider(int32_t number, double* mirror, double defaultValue, double minimum,
                                 double maximum, double step, const std::string& folder,
                                 const std::string& extra, const std::string& label,
                                 const std::string& name) {
    if (number >= 0 && number < kSliderCount) sliders[number] = defaultValue;
    SliderRecord record;
    record.number = number;
    record.mirror = mirror;
    record.defaultValue = defaultValue;
    record.minimum = minimum;
    record.maximum = maximum;
    record.step = step;
    record.folder = folder;
    record.extra = extra;
    record.label = label;
    record.name = name;
    sliderRecords.push_back(std::move(record));
    finalizeLastRecord();
    return static_cast<int>(sliderRecords.size()) - 1;
}

void CQuillDescription::finalizeLastRecord() {
    SliderRecord& record = sliderRecords.back();
    if (record.finalized) return;
    record.finalized = true;
    if (record.folder.empty()) return;
    ListFolder(PluginPath(record.folder), record);
    if (record.texts.empty()) record.texts.push_back("(No Data Files)");
    record.minimum = 0;
    record.maximum = static_cast<double>(record.texts.size()) - 1;
    record.defaultValue = 0;
    // Half steps let the host reach every file with its rounding.
    record.step = 0.5;
}

SliderRecord* CQuillDescription::recordAt(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(sliderRecords.size())) return nullptr;
    return &sliderRecords[static_cast<size_t>(index)];
}

const SliderRecord* CQuillDescription::recordAt(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(sliderRecords.size())) return nullptr;
    return &sliderRecords[static_cast<size_t>(index)];
}
