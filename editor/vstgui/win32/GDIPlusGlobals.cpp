#include "editor/vstgui/win32/GDIPlusGlobals.h"

#include "editor/vstgui/CFontDesc.h"
#include "editor/vstgui/win32/GdiPlusApi.h"

namespace VSTGUI {

GDIPlusGlobals* GDIPlusGlobals::instance_ = nullptr;
unsigned GDIPlusGlobals::generation_ = 0;

void GDIPlusGlobals::acquire() {
    if (instance_) {
        ++instance_->references_;
        return;
    }
    instance_ = new GDIPlusGlobals;
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    instance_->token_ = token;
    ++generation_;
}

void GDIPlusGlobals::release() {
    if (!instance_ || --instance_->references_ > 0) return;
    // The shared descriptions outlive every start-up: their fonts go with this one.
    for (CFontDesc* font : {kSystemFont, kNormalFontVeryBig, kNormalFontBig, kNormalFont, kNormalFontSmall,
                            kNormalFontSmaller, kNormalFontVerySmall, kSymbolFont})
        if (font) font->freePlatformFont();
    Gdiplus::GdiplusShutdown(instance_->token_);
    delete instance_;
    instance_ = nullptr;
}

}  // namespace VSTGUI
