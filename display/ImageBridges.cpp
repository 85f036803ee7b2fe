#include "display/ImageBridges.h"

#include <atomic>
#include <string>

#include "editor/vstgui/CBitmap.h"
#include "plugin/boundary/HostAdapter.h"

struct ImageHolder {
    VSTGUI::CBitmap* bitmap = nullptr;
    uint64_t content = 0;  // names the bitmap: 0 without one
    int opaque = -1;       // whether every pixel of it is opaque; -1 until asked
};

namespace {

// Every bitmap a holder takes gets a number never used before, so that a drawing cache can tell a
// reloaded image from the one it replaced even at the same address.
std::atomic<uint64_t> lastContent{0};

void releaseBitmap(ImageHolder& holder) {
    if (holder.bitmap != nullptr) holder.bitmap->forget();
    holder.bitmap = nullptr;
    holder.content = 0;
    holder.opaque = -1;
}

void take(ImageHolder& holder, VSTGUI::CBitmap* bitmap) {
    holder.bitmap = bitmap;
    holder.content = ++lastContent;
}

// Keeps the freshly loaded bitmap only when it has a size; the holder is left empty otherwise.
int32_t keepIfSized(ImageHolder& holder, VSTGUI::CBitmap* bitmap) {
    if (bitmap->getWidth() > 0 && bitmap->getHeight() > 0) {
        take(holder, bitmap);
        return 1;
    }
    bitmap->forget();
    return 0;
}

// Names are registered with the Windows separator; Windows accepts '/' as well, POSIX only '/'.
std::string portablePath(const char* path) {
    std::string result(path);
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

int32_t drawHolder(ImageHolder* holder, CHostAdapter* adapter, const VSTGUI::CRect& dest, double srcX,
                   double srcY, uint8_t alpha) {
    if (holder == nullptr || holder->bitmap == nullptr) return 0;
    if (adapter == nullptr || adapter->currentContext == nullptr) return 0;
    holder->bitmap->drawAlphaBlend(adapter->currentContext, dest, VSTGUI::CPoint(srcX, srcY), alpha);
    return 1;
}

}  // namespace

ImageHolder* imageCreate() {
    return new ImageHolder;
}

int32_t imageRelease(ImageHolder* holder) {
    if (holder == nullptr) return 0;
    releaseBitmap(*holder);
    delete holder;
    return 1;
}

int32_t imageLoadResource(ImageHolder* holder, int32_t resourceId) {
    if (holder == nullptr) return 0;
    releaseBitmap(*holder);
    return keepIfSized(*holder, new VSTGUI::CBitmap(VSTGUI::CResourceDescription(resourceId)));
}

int32_t imageLoadNamed(ImageHolder* holder, const char* resourceName) {
    if (holder == nullptr || resourceName == nullptr) return 0;
    releaseBitmap(*holder);
    return keepIfSized(*holder, new VSTGUI::CBitmap(VSTGUI::CResourceDescription(resourceName)));
}

int32_t imageLoadFile(ImageHolder* holder, const char* path) {
    if (holder == nullptr || path == nullptr) return 0;
    releaseBitmap(*holder);
    auto* bitmap = new VSTGUI::CBitmap();
    if (bitmap->loadFromFile(portablePath(path).c_str())) {
        take(*holder, bitmap);
        return 1;
    }
    bitmap->forget();
    return 0;
}

int32_t imageWidth(const ImageHolder* holder) {
    if (holder == nullptr || holder->bitmap == nullptr) return 0;
    return static_cast<int32_t>(holder->bitmap->getWidth());
}

int32_t imageHeight(const ImageHolder* holder) {
    if (holder == nullptr || holder->bitmap == nullptr) return 0;
    return static_cast<int32_t>(holder->bitmap->getHeight());
}

uint64_t imageContent(const ImageHolder* holder) {
    return holder != nullptr ? holder->content : 0;
}

bool imageOpaque(ImageHolder* holder) {
    if (holder == nullptr || holder->bitmap == nullptr) return false;
    if (holder->opaque < 0) holder->opaque = holder->bitmap->isOpaque() ? 1 : 0;
    return holder->opaque == 1;
}

int32_t imageDraw(ImageHolder* holder, CHostAdapter* adapter, double left, double top, double right,
                  double bottom, double srcX, double srcY) {
    return drawHolder(holder, adapter, VSTGUI::CRect(left, top, right, bottom), srcX, srcY, 255);
}

int32_t imageDrawAlpha(ImageHolder* holder, CHostAdapter* adapter, double left, double top, double right,
                       double bottom, double srcX, double srcY, uint8_t alpha) {
    return drawHolder(holder, adapter, VSTGUI::CRect(left, top, right, bottom), srcX, srcY, alpha);
}

int32_t imageDrawTransparent(ImageHolder* holder, CHostAdapter* adapter, double left, double top,
                             double right, double bottom, double srcX, double srcY) {
    return drawHolder(holder, adapter, VSTGUI::CRect(left, top, right, bottom), srcX, srcY, 255);
}
