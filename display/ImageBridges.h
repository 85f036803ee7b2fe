// Image holders behind the effect's image slots: plain functions on an opaque holder, so that the
// effect side never sees the toolkit's bitmap class. Each answers 0 for a null holder.
#pragma once

#include <cstdint>

class CHostAdapter;
struct ImageHolder;

// A new holder without a bitmap. GUI or dispatcher thread.
ImageHolder* imageCreate();
// Releases the holder's bitmap and frees the holder. GUI or dispatcher thread.
int32_t imageRelease(ImageHolder* holder);
// Loads a numbered "DATA" resource; 1 only when the bitmap has a size. GUI thread.
int32_t imageLoadResource(ImageHolder* holder, int32_t resourceId);
// Loads a named resource; 1 only when the bitmap has a size. GUI thread.
int32_t imageLoadNamed(ImageHolder* holder, const char* resourceName);
// Decodes an image file; 1 when it decoded. GUI thread.
int32_t imageLoadFile(ImageHolder* holder, const char* path);
// The bitmap's size in pixels; 0 when the holder is empty.
int32_t imageWidth(const ImageHolder* holder);
int32_t imageHeight(const ImageHolder* holder);
// A number that names the holder's bitmap, new with every load; 0 when the holder is empty (nothing
// would be drawn). Any thread that owns the holder.
uint64_t imageContent(const ImageHolder* holder);
// Whether every pixel of the holder's bitmap is known to be opaque; looked at once per bitmap. GUI
// thread.
bool imageOpaque(ImageHolder* holder);
// Draws the source area at (srcX, srcY) unscaled into the destination rectangle of the adapter's
// current paint, honouring the image's alpha; 1 when drawn. GUI thread.
int32_t imageDraw(ImageHolder* holder, CHostAdapter* adapter, double left, double top, double right,
                  double bottom, double srcX, double srcY);
// The same with the image's opacity scaled by alpha (255 is unchanged). GUI thread.
int32_t imageDrawAlpha(ImageHolder* holder, CHostAdapter* adapter, double left, double top, double right,
                       double bottom, double srcX, double srcY, uint8_t alpha);
// The same as imageDraw: images carry their own transparency. GUI thread.
int32_t imageDrawTransparent(ImageHolder* holder, CHostAdapter* adapter, double left, double top,
                             double right, double bottom, double srcX, double srcY);
