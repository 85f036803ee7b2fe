// Names an embedded resource by numeric identifier or by name.
#pragma once

#include <cstdint>
#include <string>

namespace VSTGUI {

struct CResourceDescription {
    enum Kind : int32_t { kIntegerType = 0, kStringType = 1 };

    CResourceDescription() = default;
    CResourceDescription(int32_t resourceId) : type(kIntegerType), id(resourceId) {}
    CResourceDescription(const char* resourceName)
        : type(kStringType), name(resourceName ? resourceName : "") {}

    int32_t type = kIntegerType;
    int32_t id = 0;
    std::string name;
};

}  // namespace VSTGUI
