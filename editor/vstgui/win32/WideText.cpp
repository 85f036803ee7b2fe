#include "editor/vstgui/win32/WideText.h"

#include <windows.h>

namespace VSTGUI {

std::wstring wideFromMultiByte(const char* text, unsigned codePage) {
    if (!text || !*text) return {};
    const int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::wstring wideFromUtf8(const char* utf8) {
    return wideFromMultiByte(utf8, CP_UTF8);
}

std::string utf8FromWide(const wchar_t* text, int length) {
    if (!text || length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &utf8[0], size, nullptr, nullptr);
    // A length of -1 converts the terminator too.
    if (length < 0 && !utf8.empty() && utf8.back() == '\0') utf8.pop_back();
    return utf8;
}

}  // namespace VSTGUI
