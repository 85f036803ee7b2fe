// Drawing on the paint in progress: plain functions on the adapter handle that act on its
// currentContext. Each answers 1 when it acted and 0 when the handle or the context is null.
// GUI thread, inside the view's paint.
#pragma once

#include <cstdint>

class CHostAdapter;

// 3 turns anti-aliasing on, any other mode off.
int32_t contextSetSmoothing(CHostAdapter* adapter, int32_t mode);
int32_t contextSetFontColor(CHostAdapter* adapter, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
int32_t contextSetFillColor(CHostAdapter* adapter, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
int32_t contextSetFrameColor(CHostAdapter* adapter, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// Width in pixels in the current font; -1 without text, font or drawing target; 0.0 without context.
double contextTextWidth(CHostAdapter* adapter, const char* utf8);
int32_t contextMoveTo(CHostAdapter* adapter, double x, double y);
// Line from the pen position with the line colour; the pen moves to (x, y).
int32_t contextLineTo(CHostAdapter* adapter, double x, double y);
// style: 0 framed, 1 filled, 2 both; the corners may come in any order.
int32_t contextDrawRect(CHostAdapter* adapter, double left, double top, double right, double bottom,
                        int32_t style);
int32_t contextDrawEllipse(CHostAdapter* adapter, double left, double top, double right, double bottom,
                           int32_t style);
// alignment: 0 left, 1 centre, 2 right; always anti-aliased.
int32_t contextDrawTextInRect(CHostAdapter* adapter, const char* utf8, double left, double top, double right,
                              double bottom, uint8_t ignored, int32_t alignment);
int32_t contextDrawText(CHostAdapter* adapter, const char* utf8, double x, double y, uint8_t antialias);
int32_t contextDrawTextAligned(CHostAdapter* adapter, const char* utf8, double left, double top, double right,
                               double bottom, int32_t alignment, uint8_t antialias);
// Angles in degrees.
int32_t contextDrawArc(CHostAdapter* adapter, double left, double top, double right, double bottom,
                       double startAngle, double endAngle, int32_t style);
int32_t contextDrawPoint(CHostAdapter* adapter, double x, double y, uint8_t r, uint8_t g, uint8_t b,
                         uint8_t a);
// The context never reads pixels back: the answer is always opaque black.
int32_t contextGetPoint(CHostAdapter* adapter, double x, double y, uint8_t* r, uint8_t* g, uint8_t* b,
                        uint8_t* a);
// Makes the face current at the given size and style, creating its description in the adapter's
// fontList on first use (names compared ignoring ASCII case).
int32_t contextSelectFont(CHostAdapter* adapter, const char* faceName, int32_t size, int32_t style);
