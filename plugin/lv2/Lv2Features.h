// A host feature's data by its URI, for the DSP and the UI binary alike; inline, since the UI binary
// links nothing of the DSP side. Null when the host did not offer the feature.
#pragma once

#include <lv2/core/lv2.h>

#include <cstring>

inline const void* lv2FeatureData(const LV2_Feature* const* features, const char* uri) {
    if (features == nullptr) return nullptr;
    for (const LV2_Feature* const* f = features; *f != nullptr; ++f) {
        if ((*f)->URI != nullptr && std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
    }
    return nullptr;
}
