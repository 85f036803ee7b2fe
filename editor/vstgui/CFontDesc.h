// A font description (name, size in pixels, style bits) with a platform font made on first use.
#pragma once

#include <cstdint>
#include <string>

#include "editor/vstgui/CBaseObject.h"
#include "editor/vstgui/CPoint.h"

namespace VSTGUI {

enum CTxtFace : int32_t {
    kNormalFace = 0,
    kBoldFace = 1,
    kItalicFace = 2,
    kUnderlineFace = 4,
    kStrikethroughFace = 8
};

class CFontDesc : public CBaseObject {
  public:
    CFontDesc(const char* name = nullptr, CCoord size = 0, int32_t style = 0);
    CFontDesc(const CFontDesc& other);
    CFontDesc& operator=(const CFontDesc& other);
    // GUI thread.
    ~CFontDesc() override;

    // Null when the name was cleared.
    const char* getName() const { return hasName_ ? name_.c_str() : nullptr; }
    CCoord getSize() const { return size_; }
    int32_t getStyle() const { return style_; }
    // Each setter drops the platform font so that it is made again on next use.
    void setName(const char* name);
    void setSize(CCoord size);
    void setStyle(int32_t style);
    bool operator==(const CFontDesc& other) const;

    // The platform font, created when missing; null when the platform cannot make one.
    struct Platform;
    Platform* getPlatformFont();
    void freePlatformFont();

  private:
    Platform* platformCreate() const;
    static void platformFree(Platform* font);

    std::string name_;
    bool hasName_ = false;
    CCoord size_ = 0;
    int32_t style_ = 0;
    Platform* platformFont_ = nullptr;
};

// The eight descriptions shared by the whole process, made at load time; all "Arial" but the symbol font.
extern CFontDesc* const kSystemFont;
extern CFontDesc* const kNormalFontVeryBig;
extern CFontDesc* const kNormalFontBig;
extern CFontDesc* const kNormalFont;
extern CFontDesc* const kNormalFontSmall;
extern CFontDesc* const kNormalFontSmaller;
extern CFontDesc* const kNormalFontVerySmall;
extern CFontDesc* const kSymbolFont;

}  // namespace VSTGUI
