#include "plugin/clap/ClapGui.h"

#include <cstring>

#include "plugin/clap/ClapAdapter.h"
#include "plugin/clap/ClapHostExtension.h"
#include "plugin/clap/ClapInstance.h"
#include "plugin/clap/ClapWindow.h"

namespace {

// About the 30 frames a second the panel asks for at most, as VST hosts' editor idle comes.
constexpr uint32_t kTimerPeriodMs = 20;

}  // namespace

CClapGui::~CClapGui() {
    destroy();
}

void CClapGui::attach(const clap_host_t* host, CClapAdapter* adapter) {
    host_ = host;
    adapter_ = adapter;
    timers_ = clapHostExtension<clap_host_timer_support_t>(host, CLAP_EXT_TIMER_SUPPORT);
    if (timers_ != nullptr && (timers_->register_timer == nullptr || timers_->unregister_timer == nullptr))
        timers_ = nullptr;
    descriptors_ = clapHostExtension<clap_host_posix_fd_support_t>(host, kClapExtPosixFdSupport);
    if (descriptors_ != nullptr &&
        (descriptors_->register_fd == nullptr || descriptors_->unregister_fd == nullptr))
        descriptors_ = nullptr;
}

// Only embedding, and only where the host's timer can drive the refresh.
bool CClapGui::supports(const char* api, bool floating) const {
    return !floating && api != nullptr && std::strcmp(api, clapwindow::api()) == 0 && timers_ != nullptr &&
           adapter_ != nullptr;
}

bool CClapGui::create(const char* api, bool floating) {
    if (window_ != nullptr || !supports(api, floating)) return false;
    int32_t width = 0, height = 0;
    if (!adapter_->editorSize(width, height)) return false;
    if (!timers_->register_timer(host_, kTimerPeriodMs, &timer_)) {
        timer_ = CLAP_INVALID_ID;
        return false;
    }
    window_ = std::make_unique<CPanelWindow>(*adapter_, width, height);
    return true;
}

void CClapGui::destroy() {
    if (window_ == nullptr) return;
    if (fd_ >= 0 && descriptors_ != nullptr) descriptors_->unregister_fd(host_, fd_);
    fd_ = -1;
    if (timer_ != CLAP_INVALID_ID) timers_->unregister_timer(host_, timer_);
    timer_ = CLAP_INVALID_ID;
    adapter_->detachWindow(window_.get());
    window_->close();
    window_.reset();
}

bool CClapGui::size(uint32_t& width, uint32_t& height) const {
    if (window_ == nullptr) return false;
    width = static_cast<uint32_t>(window_->width);
    height = static_cast<uint32_t>(window_->height);
    return true;
}

bool CClapGui::setParent(const clap_window_t* window) {
    if (window_ == nullptr || window == nullptr || window->api == nullptr ||
        std::strcmp(window->api, clapwindow::api()) != 0 || clapwindow::parentOf(*window) == nullptr)
        return false;
    if (fd_ >= 0 && descriptors_ != nullptr) descriptors_->unregister_fd(host_, fd_);
    fd_ = -1;
    window_->open(clapwindow::parentOf(*window));
    adapter_->attachWindow(window_.get());
    if (descriptors_ != nullptr) {
        fd_ = window_->eventDescriptor();
        if (fd_ >= 0 && !descriptors_->register_fd(host_, fd_, kClapPosixFdRead)) fd_ = -1;
    }
    return true;
}

void CClapGui::refresh() {
    if (window_ == nullptr) return;
    window_->idle();
    adapter_->panelTick();
}

void CClapGui::timer(clap_id id) {
    if (id == timer_) refresh();
}

void CClapGui::descriptor(int fd) {
    if (fd >= 0 && fd == fd_) refresh();
}

namespace {

CClapGui* guiOn(const clap_plugin_t* plugin, const char* call) {
    ClapInstance* instance = clapInstanceOf(plugin);
    return instance != nullptr && instance->threads.main(call) ? &instance->gui : nullptr;
}

bool CLAP_ABI isApiSupported(const clap_plugin_t* plugin, const char* api, bool floating) {
    CClapGui* gui = guiOn(plugin, "clap_plugin_gui.is_api_supported");
    return gui != nullptr && gui->supports(api, floating);
}

bool CLAP_ABI preferredApi(const clap_plugin_t* plugin, const char** api, bool* floating) {
    if (guiOn(plugin, "clap_plugin_gui.get_preferred_api") == nullptr || api == nullptr ||
        floating == nullptr)
        return false;
    *api = clapwindow::api();
    *floating = false;
    return true;
}

bool CLAP_ABI create(const clap_plugin_t* plugin, const char* api, bool floating) {
    CClapGui* gui = guiOn(plugin, "clap_plugin_gui.create");
    return gui != nullptr && gui->create(api, floating);
}

void CLAP_ABI destroy(const clap_plugin_t* plugin) {
    if (CClapGui* gui = guiOn(plugin, "clap_plugin_gui.destroy")) gui->destroy();
}

// The panel is drawn at one size in pixels; there is no scale to apply.
bool CLAP_ABI setScale(const clap_plugin_t*, double) {
    return false;
}

bool CLAP_ABI getSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
    CClapGui* gui = guiOn(plugin, "clap_plugin_gui.get_size");
    return gui != nullptr && width != nullptr && height != nullptr && gui->size(*width, *height);
}

bool CLAP_ABI canResize(const clap_plugin_t*) {
    return false;
}

bool CLAP_ABI resizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*) {
    return false;
}

// The one size there is.
bool CLAP_ABI adjustSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
    return getSize(plugin, width, height);
}

bool CLAP_ABI setSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height) {
    uint32_t w = 0, h = 0;
    return getSize(plugin, &w, &h) && w == width && h == height;
}

bool CLAP_ABI setParent(const clap_plugin_t* plugin, const clap_window_t* window) {
    CClapGui* gui = guiOn(plugin, "clap_plugin_gui.set_parent");
    return gui != nullptr && gui->setParent(window);
}

// Floating windows are not offered.
bool CLAP_ABI setTransient(const clap_plugin_t*, const clap_window_t*) {
    return false;
}

void CLAP_ABI suggestTitle(const clap_plugin_t*, const char*) {}

// The embedded window shows with its parent; the host hides it by hiding that.
bool CLAP_ABI show(const clap_plugin_t* plugin) {
    uint32_t w = 0, h = 0;
    return getSize(plugin, &w, &h);
}

bool CLAP_ABI hide(const clap_plugin_t* plugin) {
    return show(plugin);
}

void CLAP_ABI onTimer(const clap_plugin_t* plugin, clap_id id) {
    if (CClapGui* gui = guiOn(plugin, "clap_plugin_timer_support.on_timer")) gui->timer(id);
}

void CLAP_ABI onFd(const clap_plugin_t* plugin, int fd, uint32_t) {
    if (CClapGui* gui = guiOn(plugin, "clap_plugin_posix_fd_support.on_fd")) gui->descriptor(fd);
}

}  // namespace

const clap_plugin_gui_t* clapGuiExtension() {
    static const clap_plugin_gui_t extension = {
        isApiSupported, preferredApi, create,    destroy,      setScale,     getSize, canResize, resizeHints,
        adjustSize,     setSize,      setParent, setTransient, suggestTitle, show,    hide};
    return &extension;
}

const clap_plugin_timer_support_t* clapTimerExtension() {
    static const clap_plugin_timer_support_t extension = {onTimer};
    return &extension;
}

const clap_plugin_posix_fd_support_t* clapPosixFdExtension() {
    static const clap_plugin_posix_fd_support_t extension = {onFd};
    return &extension;
}
