#include "runtime/QuillStrings.h"

#include "runtime/ScriptNumbers.h"

std::string& CQuillStrings::StringGet(double number) {
    std::string& text = strings[quill::toIndex(number)];
    stringCount = static_cast<double>(strings.size());
    return text;
}

void CQuillStrings::StringSet(int32_t number, const std::string& text) {
    std::string& entry = strings[number];
    stringCount = static_cast<double>(strings.size());
    entry = text;
}
