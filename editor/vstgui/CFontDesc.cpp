#include "editor/vstgui/CFontDesc.h"

#include <cmath>

namespace VSTGUI {

CFontDesc::CFontDesc(const char* name, CCoord size, int32_t style)
    : hasName_(name != nullptr), size_(std::isfinite(size) ? size : 0), style_(style) {
    if (name) name_ = name;
}

CFontDesc::CFontDesc(const CFontDesc& other)
    : CBaseObject(other),
      name_(other.name_),
      hasName_(other.hasName_),
      size_(other.size_),
      style_(other.style_) {}

CFontDesc& CFontDesc::operator=(const CFontDesc& other) {
    if (this == &other) return *this;
    freePlatformFont();
    name_ = other.name_;
    hasName_ = other.hasName_;
    size_ = other.size_;
    style_ = other.style_;
    return *this;
}

CFontDesc::~CFontDesc() {
    freePlatformFont();
}

void CFontDesc::setName(const char* name) {
    if (name && hasName_ && name_ == name) return;
    if (!name && !hasName_) return;
    hasName_ = name != nullptr;
    name_ = name ? name : "";
    freePlatformFont();
}

void CFontDesc::setSize(CCoord size) {
    size_ = std::isfinite(size) ? size : 0;
    freePlatformFont();
}

void CFontDesc::setStyle(int32_t style) {
    style_ = style;
    freePlatformFont();
}

bool CFontDesc::operator==(const CFontDesc& other) const {
    return hasName_ == other.hasName_ && name_ == other.name_ && size_ == other.size_ &&
           style_ == other.style_;
}

CFontDesc::Platform* CFontDesc::getPlatformFont() {
    if (!platformFont_) platformFont_ = platformCreate();
    return platformFont_;
}

void CFontDesc::freePlatformFont() {
    if (platformFont_) platformFree(platformFont_);
    platformFont_ = nullptr;
}

// Made once and never destroyed: contexts hold references to them until the process ends.
CFontDesc* const kSystemFont = new CFontDesc("Arial", 12);
CFontDesc* const kNormalFontVeryBig = new CFontDesc("Arial", 18);
CFontDesc* const kNormalFontBig = new CFontDesc("Arial", 14);
CFontDesc* const kNormalFont = new CFontDesc("Arial", 12);
CFontDesc* const kNormalFontSmall = new CFontDesc("Arial", 11);
CFontDesc* const kNormalFontSmaller = new CFontDesc("Arial", 10);
CFontDesc* const kNormalFontVerySmall = new CFontDesc("Arial", 9);
CFontDesc* const kSymbolFont = new CFontDesc("Symbol", 13);

}  // namespace VSTGUI
