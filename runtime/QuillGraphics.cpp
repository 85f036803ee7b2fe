#include "runtime/QuillGraphics.h"

#include "plugin/ImageBridges.h"

CQuillGraphics::~CQuillGraphics() {
    for (auto& entry : images) imageRelease(entry.second.holder);
    images.clear();
}
