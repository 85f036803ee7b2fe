#include "runtime/QuillFonts.h"

#include "runtime/ScriptNumbers.h"

namespace {

constexpr double kSizePerHeight = 0.85;

// The integer part of a font size; what is not a sensible size becomes 0 (the description's own).
int32_t wholeSize(double size) {
    if (!(size > 0 && size < 10000)) return 0;
    return static_cast<int32_t>(size);
}

}  // namespace

double CQuillFonts::SelectFont(double slot, double faceId, double height) {
    FontSlot& font = fonts[quill::toIndex(slot)];
    font.faceName = StringGet(faceId);
    font.size = height * kSizePerHeight;
    font.flags = 0;
    gfxTextHeight = height;
    const int32_t size = wholeSize(font.size);
    if (callBridge(drawing.selectFont, adapter, font.faceName.c_str(), size, 0) == 0) {
        callBridge(drawing.selectFont, adapter, "verdana", size, 0);
    }
    return 0.0;
}
