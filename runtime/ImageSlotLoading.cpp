// Image slots fill lazily: the embedded resource of the slot's number first, then the registered file
// name beside the plug-in library.
#include "runtime/DiagnosticLog.h"
#include "runtime/PluginPaths.h"
#include "runtime/QuillGraphics.h"

namespace {

void adoptSize(ImageSlot& slot, const DrawingBridges& drawing) {
    slot.width = callBridge(drawing.imageWidth, slot.holder);
    slot.height = callBridge(drawing.imageHeight, slot.holder);
}

}  // namespace

ImageSlot& CQuillGraphics::ResolveImage(int32_t number) {
    ImageSlot& slot = images[number];
    if (callBridge(drawing.imageWidth, slot.holder) > 0) return slot;
    const auto name = constStrings.find(number);
    if (name == constStrings.end()) return slot;

    callBridge(drawing.imageRelease, slot.holder);
    slot.holder = callBridge(drawing.imageCreate);
    slot.width = slot.height = 0;
    if (callBridge(drawing.imageLoadResource, slot.holder, number) != 0) {
        adoptSize(slot, drawing);
        return slot;
    }
    const std::string path = PluginPath(name->second);
    if (callBridge(drawing.imageLoadFile, slot.holder, path.c_str()) != 0) {
        adoptSize(slot, drawing);
        return slot;
    }
    LogLine("Unable to load: " + path);
    return slot;
}
