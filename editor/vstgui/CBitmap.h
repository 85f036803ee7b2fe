// An image: decoded from an embedded "DATA" resource or a file, or created empty for drawing into.
#pragma once

#include <cstdint>

#include "editor/vstgui/CBaseObject.h"
#include "editor/vstgui/CColor.h"
#include "editor/vstgui/CRect.h"
#include "editor/vstgui/CResourceDescription.h"

namespace VSTGUI {

class CDrawContext;

class CBitmap : public CBaseObject {
  public:
    // Empty, 0 x 0; fill it with loadFromFile or loadFromResource.
    CBitmap();
    // Loads the resource; a missing one leaves width and height 0.
    explicit CBitmap(const CResourceDescription& description);
    // Transparent black pixels, 32-bit ARGB.
    CBitmap(CCoord width, CCoord height);
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    // GUI thread.
    ~CBitmap() override;

    // GUI thread. Both are drawAlphaBlend at 255: the image's own alpha is honoured.
    virtual void draw(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint());
    virtual void drawTransparent(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint());
    // GUI thread. Copies the source area at offset, of the destination's size, unscaled; alpha scales
    // the image's own opacity.
    virtual void drawAlphaBlend(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint(),
                                uint8_t alpha = 128);
    // GUI thread. For a bitmap whose pixels are all opaque: the pixels draw would give, put in place
    // without blending where the platform offers that (faster, and the same for opaque pixels).
    void copyOpaque(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint());
    // GUI thread. True when every pixel is known to be fully opaque; false where the platform does not
    // look.
    bool isOpaque() const;
    // GUI thread. Frees the image; width and height become 0.
    virtual void dispose();
    // GUI thread. Always true: success shows in width and height.
    virtual bool loadFromResource(const CResourceDescription& description);
    // GUI thread. Disposes and answers false.
    virtual bool unload();

    // Decodes a PNG file; true when it decoded. A PNG declaring more pixels than ImageSizeLimit.h
    // allows is refused before decoding.
    bool loadFromFile(const char* path);
    // Decodes PNG bytes held in memory, with the same limit; true when they decoded.
    bool loadFromMemory(const unsigned char* bytes, size_t size);
    // Un-premultiplied colour of one pixel; false outside the image.
    bool readPixel(int32_t x, int32_t y, CColor& color) const;
    bool writePng(const char* path) const;

    CCoord getWidth() const { return width_; }
    CCoord getHeight() const { return height_; }
    const CResourceDescription& getResourceDescription() const { return resourceDescription_; }
    CColor getTransparentColor() const { return transparentColor_; }
    void setTransparentColor(const CColor& color) { transparentColor_ = color; }
    bool getNoAlpha() const { return noAlpha_; }
    void setNoAlpha(bool state) { noAlpha_ = state; }

    // The platform image, for the platform drawing layer.
    struct Platform;
    Platform* getPlatformImage() const { return image_; }

  private:
    // Implemented by the platform backend.
    Platform* platformCreateEmpty(int32_t width, int32_t height);
    Platform* platformDecodeResource(const CResourceDescription& description);
    Platform* platformDecodeFile(const char* path);
    Platform* platformDecodeMemory(const unsigned char* bytes, size_t size);
    void platformSize(const Platform* image, int32_t& width, int32_t& height) const;
    void platformFree(Platform* image);
    // replace: the area's pixels replace the target's instead of blending over them.
    void platformDraw(CDrawContext* context, int32_t destX, int32_t destY, int32_t srcX, int32_t srcY,
                      int32_t width, int32_t height, uint8_t alpha, bool replace);
    bool platformIsOpaque() const;
    bool platformReadPixel(int32_t x, int32_t y, CColor& color) const;
    bool platformWritePng(const char* path) const;

    bool adopt(Platform* image);
    void drawArea(CDrawContext* context, const CRect& dest, const CPoint& offset, uint8_t alpha,
                  bool replace);

    CResourceDescription resourceDescription_;
    CCoord width_ = 0;
    CCoord height_ = 0;
    CColor transparentColor_{255, 255, 255, 0};
    bool noAlpha_ = true;
    Platform* image_ = nullptr;
};

// The bitmap kind an offscreen context draws into; it behaves exactly as CBitmap.
class CBitmapForOC : public CBitmap {
  public:
    using CBitmap::CBitmap;
};

}  // namespace VSTGUI
