// Image slots fill lazily: the embedded resource of the slot's number first, then the registered file
// name beside the plug-in library.
#include "plugin/ImageBridges.h"
#include "runtime/DiagnosticLog.h"
#include "runtime/PluginPaths.h"
#include "runtime/QuillGraphics.h"

namespace {

void adoptSize(ImageSlot& slot) {
    slot.width = imageWidth(slot.holder);
    slot.height = imageHeight(slot.holder);
}

}  // namespace

ImageSlot& CQuillGraphics::ResolveImage(int32_t number) {
    ImageSlot& slot = images[number];
    if (imageWidth(slot.holder) > 0) return slot;
    const auto name = constStrings.find(number);
    if (name == constStrings.end()) return slot;

    imageRelease(slot.holder);
    slot.holder = imageCreate();
    slot.width = slot.height = 0;
    if (imageLoadResource(slot.holder, number) != 0) {
        adoptSize(slot);
        return slot;
    }
    const std::string path = PluginPath(name->second);
    if (imageLoadFile(slot.holder, path.c_str()) != 0) {
        adoptSize(slot);
        return slot;
    }
    LogLine("Unable to load: " + path);
    return slot;
}
