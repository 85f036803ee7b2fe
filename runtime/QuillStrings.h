// Numbered string variables of a script effect.
#pragma once

#include <map>
#include <string>

#include "runtime/QuillDescription.h"

class CQuillStrings : public CQuillDescription {
  public:
    // The text numbered n (after toIndex), created empty when absent. GUI or dispatcher thread.
    std::string& StringGet(double number);
    void StringSet(int32_t number, const std::string& text);

    std::map<int32_t, std::string> strings;
    std::map<int32_t, std::string> constStrings;  // image file names by image number
    double stringCount = 0.0;
};
