// Text conversions between the toolkit's UTF-8 and the system's UTF-16.
#pragma once

#include <string>

namespace VSTGUI {

// Empty for null or invalid input. codePage: CP_UTF8, or CP_ACP for names from the ANSI system calls.
std::wstring wideFromMultiByte(const char* text, unsigned codePage);
std::wstring wideFromUtf8(const char* utf8);
std::string utf8FromWide(const wchar_t* text, int length = -1);

}  // namespace VSTGUI
