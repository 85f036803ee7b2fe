// What an effect declares about itself: names, ids, channel count and its slider records.
#pragma once

#include <string>
#include <vector>

#include "runtime/QuillSamples.h"
#include "runtime/SliderRecord.h"

class CQuillDescription : public CQuillSamples {
  public:
    // Declares a slider; the record's position is the host parameter index. Constructor only.
    int AddSlider(int32_t number, double* mirror, double defaultValue, double minimum, double maximum,
                  double step, const std::string& folder, const std::string& extra, const std::string& label,
                  const std::string& name);

    // The record behind host parameter index, or null when there is none.
    SliderRecord* recordAt(int32_t index);
    const SliderRecord* recordAt(int32_t index) const;

    std::vector<SliderRecord> sliderRecords;
    std::string effectName;
    std::string productString;
    std::string vendorString;
    std::string programName;
    int32_t vendorVersion = 0;
    int32_t uniqueId = 0;
    int32_t channelCount = 0;
    // The size of the panel the editor opens with, in pixels.
    int32_t editorWidth = 0;
    int32_t editorHeight = 0;

  private:
    void finalizeLastRecord();
};
