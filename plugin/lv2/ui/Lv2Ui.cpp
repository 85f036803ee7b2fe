#include "plugin/lv2/ui/Lv2Ui.h"

#include <lv2/instance-access/instance-access.h>

#include <cstdint>
#include <cstring>

#include "effect/QuillEffect.h"
#include "plugin/bridge/AdapterKit.h"
#include "plugin/lv2/Lv2Instance.h"

namespace {

const void* featureData(const LV2_Feature* const* features, const char* uri) {
    if (features == nullptr) return nullptr;
    for (const LV2_Feature* const* f = features; *f != nullptr; ++f) {
        if ((*f)->URI != nullptr && std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
    }
    return nullptr;
}

}  // namespace

CLv2Ui* CLv2Ui::create(const LV2_Feature* const* features, LV2UI_Write_Function write,
                       LV2UI_Controller controller, LV2UI_Widget* widget) {
    void* parent = const_cast<void*>(featureData(features, LV2_UI__parent));
    auto* instance =
        static_cast<Lv2Instance*>(const_cast<void*>(featureData(features, LV2_INSTANCE_ACCESS_URI)));
    if (parent == nullptr || instance == nullptr || widget == nullptr) return nullptr;
    CAdapterKit* kit = instance->kit;
    if (kit == nullptr || kit->effect == nullptr) return nullptr;
    int32_t width = 0;
    int32_t height = 0;
    if (!kit->editorSize(width, height)) return nullptr;

    auto* ui = new CLv2Ui(*instance, write, controller, width, height);
    // The panel is the UI's: the DSP binary carries nothing of the display.
    ui->effect().AttachPanel(makeEffectPanel());
    ui->window_.open(parent);
    void* window = ui->window_.nativeHandle();
    if (window == nullptr) {
        delete ui;
        return nullptr;
    }
    kit->attachWindow(&ui->window_);
    *widget = window;
    if (const auto* resize = static_cast<const LV2UI_Resize*>(featureData(features, LV2_UI__resize))) {
        if (resize->ui_resize != nullptr) resize->ui_resize(resize->handle, width, height);
    }
    return ui;
}

CLv2Ui::CLv2Ui(Lv2Instance& instance, LV2UI_Write_Function write, LV2UI_Controller controller, int32_t width,
               int32_t height)
    : instance_(instance),
      kit_(*instance.kit),
      window_(*instance.kit, width, height),
      write_(write),
      controller_(controller) {}

CLv2Ui::~CLv2Ui() {
    kit_.detachWindow(&window_);
    window_.close();
    effect().AttachPanel(nullptr);
}

TQuillEffect& CLv2Ui::effect() const {
    // The instance's effect is this plug-in's, made by the DSP binary's instantiation.
    return static_cast<TQuillEffect&>(*kit_.effect);
}

void CLv2Ui::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    if (format != 0 || size != sizeof(float) || buffer == nullptr || !lv2ports::isControlPort(port)) return;
    float value = 0;
    std::memcpy(&value, buffer, sizeof value);
    sync_.hostValue(port - lv2ports::kFirstControl, value);
}

int CLv2Ui::idle() {
    window_.idle();
    if (kit_.effect != nullptr) sync_.collect(*kit_.effect, instance_.controls, write_, controller_);
    return 0;
}
