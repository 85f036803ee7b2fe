// The UI binary's LV2 descriptor.
#include <lv2/ui/ui.h>

#include <cstring>

#include "plugin/lv2/ui/Lv2Ui.h"

#define ORBITONE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr const char* kUiUri = "urn:velmora:orbitone#ui";

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char*, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
    return CLv2Ui::create(features, write, controller, widget);
}

void cleanup(LV2UI_Handle handle) {
    delete static_cast<CLv2Ui*>(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    if (handle != nullptr) static_cast<CLv2Ui*>(handle)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle) {
    return handle != nullptr ? static_cast<CLv2Ui*>(handle)->idle() : 1;
}

const void* extensionData(const char* uri) {
    static const LV2UI_Idle_Interface idleInterface = {idle};
    if (uri != nullptr && std::strcmp(uri, LV2_UI__idleInterface) == 0) return &idleInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

ORBITONE_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
