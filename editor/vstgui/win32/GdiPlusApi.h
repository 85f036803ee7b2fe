// The Windows and GDI+ headers the backend is written against: the flat API only, no GDI+ classes.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace VSTGUI {

namespace gdip = Gdiplus::DllExports;
using Gdiplus::ARGB;
using Gdiplus::GpStatus;

}  // namespace VSTGUI
