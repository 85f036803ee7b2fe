// One declared slider: what the host sees as a parameter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SliderRecord {
    std::vector<std::string> texts;  // enumeration texts, or the files of a file slider
    bool finalized = false;
    int32_t number = 0;        // index into the slider values
    double* mirror = nullptr;  // optional second receiver of host values
    double defaultValue = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;
    std::string folder;  // file sliders only: relative to the plug-in's folder
    std::string extra;
    std::string label;
    std::string name;
};
