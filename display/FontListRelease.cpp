#include "display/FontListRelease.h"

#include "editor/vstgui/CFontDesc.h"

void releaseFontList(std::vector<VSTGUI::CFontDesc*>& fontList) {
    for (VSTGUI::CFontDesc*& font : fontList) {
        if (font != nullptr) font->forget();
        font = nullptr;
    }
    fontList.clear();
}
