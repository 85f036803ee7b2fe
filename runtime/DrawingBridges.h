// The drawing bridge table: how the runtime's drawing operations reach the paint in progress
// without knowing the toolkit that draws it. The display fills the table with its graphics and image
// bridges (display/DisplayDrawing.h); an effect without a display keeps the empty table, and a null
// entry draws nothing and answers 0, as a bridge does outside a paint. GUI thread, except where noted.
#pragma once

#include <cstdint>

#include "plugin/boundary/NullSafeCall.h"

class CHostAdapter;
struct ImageHolder;  // a bitmap behind an image slot, owned by the display's image bridges

struct DrawingBridges {
    int32_t (*setSmoothing)(CHostAdapter*, int32_t mode);
    int32_t (*setFontColor)(CHostAdapter*, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    int32_t (*setFillColor)(CHostAdapter*, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    int32_t (*setFrameColor)(CHostAdapter*, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    double (*textWidth)(CHostAdapter*, const char* utf8);
    int32_t (*moveTo)(CHostAdapter*, double x, double y);
    int32_t (*lineTo)(CHostAdapter*, double x, double y);
    int32_t (*drawRect)(CHostAdapter*, double left, double top, double right, double bottom, int32_t style);
    int32_t (*drawEllipse)(CHostAdapter*, double left, double top, double right, double bottom,
                           int32_t style);
    int32_t (*drawTextInRect)(CHostAdapter*, const char* utf8, double left, double top, double right,
                              double bottom, uint8_t ignored, int32_t alignment);
    int32_t (*selectFont)(CHostAdapter*, const char* faceName, int32_t size, int32_t style);

    // Image holders; creation and release also run on the dispatcher thread.
    ImageHolder* (*imageCreate)();
    int32_t (*imageRelease)(ImageHolder*);
    int32_t (*imageLoadResource)(ImageHolder*, int32_t resourceId);
    int32_t (*imageLoadFile)(ImageHolder*, const char* path);
    int32_t (*imageWidth)(const ImageHolder*);
    int32_t (*imageHeight)(const ImageHolder*);
    int32_t (*imageDraw)(ImageHolder*, CHostAdapter*, double left, double top, double right, double bottom,
                         double srcX, double srcY);
};
