#include "tests/lv2/Lv2UiHost.h"

#include <dlfcn.h>
#include <lv2/instance-access/instance-access.h>

#include <stdexcept>
#include <string>

namespace lv2test {

namespace {

// The UI binary named by the bundle, opened once and kept, as hosts keep plug-in libraries.
const LV2UI_Descriptor* uiDescriptor() {
    static const LV2UI_Descriptor* descriptor = [] {
        const LilvPlugin* plugin = World::shared().plugin();
        if (plugin == nullptr) return static_cast<const LV2UI_Descriptor*>(nullptr);
        LilvUIs* uis = lilv_plugin_get_uis(plugin);
        const LV2UI_Descriptor* found = nullptr;
        LILV_FOREACH(uis, i, uis) {
            const LilvUI* ui = lilv_uis_get(uis, i);
            char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
            void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
            lilv_free(path);
            auto entry = library
                             ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"))
                             : nullptr;
            for (uint32_t index = 0; entry != nullptr; ++index) {
                const LV2UI_Descriptor* d = entry(index);
                if (d == nullptr) break;
                if (std::string(d->URI) == lilv_node_as_uri(lilv_ui_get_uri(ui))) found = d;
            }
        }
        lilv_uis_free(uis);
        return found;
    }();
    return descriptor;
}

}  // namespace

UiHost::UiHost(Instance& plugin, editortest::HostWindow& window) : plugin_(plugin), window_(window) {
    descriptor_ = uiDescriptor();
    if (descriptor_ == nullptr) throw std::runtime_error("the bundle has no loadable UI");
    resize_.handle = this;
    resize_.ui_resize = [](LV2UI_Feature_Handle self, int width, int height) {
        static_cast<UiHost*>(self)->resizedWidth = width;
        static_cast<UiHost*>(self)->resizedHeight = height;
        return 0;
    };
    parentFeature_ = {LV2_UI__parent, window.handle()};
    instanceFeature_ = {LV2_INSTANCE_ACCESS_URI, plugin.handle()};
    resizeFeature_ = {LV2_UI__resize, &resize_};
    mapFeature_ = {LV2_URID__map, World::shared().uris().mapFeature()};
    const LV2_Feature* features[] = {&parentFeature_, &instanceFeature_, &resizeFeature_, &mapFeature_,
                                     nullptr};
    // As a host does, a written value goes to the plug-in's control port.
    auto write = [](LV2UI_Controller self, uint32_t port, uint32_t size, uint32_t format,
                    const void* buffer) {
        if (format != 0 || size != sizeof(float)) return;
        auto* host = static_cast<UiHost*>(self);
        const float value = *static_cast<const float*>(buffer);
        host->writes.push_back({port, value});
        if (port >= kFirstControl && port < kFirstControl + kControls)
            host->plugin_.control(port - kFirstControl) = value;
    };
    handle_ = descriptor_->instantiate(descriptor_, kPluginUri, ORBITONE_LV2_BUNDLE "/", write, this,
                                       &widget_, features);
    if (descriptor_->extension_data != nullptr)
        idle_ = static_cast<const LV2UI_Idle_Interface*>(descriptor_->extension_data(LV2_UI__idleInterface));
    // Hosts tell a new UI what every control holds.
    for (uint32_t p = 0; p < kControls; ++p) portEvent(kFirstControl + p, plugin.control(p));
}

UiHost::~UiHost() {
    if (handle_ != nullptr) descriptor_->cleanup(handle_);
}

void UiHost::cycles(int count, bool audio) {
    const std::vector<float> silence(256, 0.0f);
    for (int i = 0; i < count; ++i) {
        if (audio) plugin_.run(silence, silence);
        window_.exposeChildren();
        if (idle_ != nullptr && handle_ != nullptr) idle_->idle(handle_);
    }
}

void UiHost::portEvent(uint32_t port, float value) {
    if (handle_ != nullptr && descriptor_->port_event != nullptr)
        descriptor_->port_event(handle_, port, sizeof value, 0, &value);
}

bool UiHost::lastWrite(uint32_t port, float& value) const {
    for (auto it = writes.rbegin(); it != writes.rend(); ++it) {
        if (it->port == port) {
            value = it->value;
            return true;
        }
    }
    return false;
}

}  // namespace lv2test
