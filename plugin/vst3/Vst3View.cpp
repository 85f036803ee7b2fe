#include "plugin/vst3/Vst3View.h"

#include <cstring>

#include "editor/PanelWindow.h"
#include "plugin/boundary/MonotonicClock.h"
#include "plugin/vst3/Vst3Adapter.h"
#include "runtime/Quill.h"

namespace {

// The panel refreshes at least 30 times a second while the mouse is used on it.
constexpr long long kQuietMilliseconds = 100;

CVst3View* view(void* self) {
    return ownerOf<CVst3View>(self);
}

v3_result V3_API isPlatformTypeSupported(void*, const char* type) {
    return type != nullptr && std::strcmp(type, V3_VIEW_PLATFORM_TYPE_NATIVE) == 0 ? kResultTrue
                                                                                   : kResultFalse;
}

v3_result V3_API attached(void* self, void* parent, const char* type) {
    CVst3View* v = view(self);
    return v != nullptr ? v->attach(parent, type) : kInvalidArgument;
}

v3_result V3_API removed(void* self) {
    CVst3View* v = view(self);
    return v != nullptr ? v->remove() : kInvalidArgument;
}

// The panel has no wheel control.
v3_result V3_API onWheel(void*, float) {
    return V3_FALSE;
}

// The panel takes no keys.
v3_result V3_API onKey(void*, int16_t, int16_t, int16_t) {
    return V3_FALSE;
}

v3_result V3_API getSize(void* self, v3_view_rect* rect) {
    CVst3View* v = view(self);
    if (v == nullptr || rect == nullptr) return V3_INVALID_ARG;
    v->size(*rect);
    return V3_OK;
}

// The panel has one size: any other is answered with it.
v3_result V3_API onSize(void* self, v3_view_rect* rect) {
    return view(self) != nullptr && rect != nullptr ? kResultOk : kInvalidArgument;
}

v3_result V3_API onFocus(void*, v3_bool) {
    return V3_OK;
}

v3_result V3_API setFrame(void* self, v3_plugin_frame** frame) {
    CVst3View* v = view(self);
    return v != nullptr ? v->setFrame(frame) : kInvalidArgument;
}

v3_result V3_API canResize(void*) {
    return V3_FALSE;
}

v3_result V3_API checkSizeConstraint(void* self, v3_view_rect* rect) {
    CVst3View* v = view(self);
    if (v == nullptr || rect == nullptr) return V3_INVALID_ARG;
    v->size(*rect);
    return V3_OK;
}

const v3_plugin_view_cpp kViewTable = {
    Vst3Unknown<CVst3View>::functions,
    {isPlatformTypeSupported, attached, removed, onWheel, onKey, onKey, getSize, onSize, onFocus, setFrame,
     canResize, checkSizeConstraint},
};

void tickView(void* context) {
    static_cast<CVst3View*>(context)->tick();
}

}  // namespace

v3_plugin_view** CVst3View::create(CVst3Adapter& adapter, void* pluginFace) {
    int32_t width = 0, height = 0;
    if (pluginFace == nullptr || !adapter.editorSize(width, height)) return nullptr;
    auto* created = new CVst3View(adapter, pluginFace);
    return reinterpret_cast<v3_plugin_view**>(&created->face_);
}

CVst3View::CVst3View(CVst3Adapter& adapter, void* pluginFace)
    : face_{&kViewTable, this}, adapter_(adapter), pluginFace_(pluginFace) {
    unknownOf(static_cast<v3_funknown**>(pluginFace_)).ref(pluginFace_);
}

CVst3View::~CVst3View() {
    remove();
    setFrame(nullptr);
    unknownOf(static_cast<v3_funknown**>(pluginFace_)).unref(pluginFace_);
}

uint32_t CVst3View::unref() {
    const uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
}

v3_result CVst3View::query(const v3_tuid iid, void** object) {
    if (!v3_tuid_match(iid, v3_funknown_iid) && !v3_tuid_match(iid, v3_plugin_view_iid))
        return V3_NO_INTERFACE;
    ref();
    *object = &face_;
    return V3_OK;
}

v3_result CVst3View::attach(void* parent, const char* platformType) {
    if (parent == nullptr || isPlatformTypeSupported(nullptr, platformType) != V3_TRUE) return V3_FALSE;
    if (window_ != nullptr) return V3_FALSE;
    int32_t width = 0, height = 0;
    if (!adapter_.editorSize(width, height)) return V3_FALSE;
    window_ = new CPanelWindow(adapter_, width, height);
    window_->open(parent);
    if (window_->nativeHandle() == nullptr) {
        window_->close();
        delete window_;
        window_ = nullptr;
        return V3_FALSE;
    }
    adapter_.attachWindow(window_);
    timer_.start(frame_, window_->eventDescriptor(), tickView, this);
    return V3_OK;
}

v3_result CVst3View::remove() {
    if (window_ == nullptr) return V3_FALSE;
    timer_.stop();
    adapter_.endGestures();
    adapter_.detachWindow(window_);
    window_->close();
    delete window_;
    window_ = nullptr;
    return V3_OK;
}

v3_result CVst3View::setFrame(v3_plugin_frame** frame) {
    if (frame != nullptr) unknownOf(frame).ref(frame);
    if (frame_ != nullptr) unknownOf(frame_).unref(frame_);
    frame_ = frame;
    return V3_OK;
}

void CVst3View::tick() {
    if (window_ == nullptr) return;
    window_->idle();
    // The panel applies a drag's last position at its first paint after the release: a gesture ends
    // once no button is held and the panel has changed nothing for longer than it takes between
    // two paints while in use.
    TQuill* effect = adapter_.effect;
    const long long quiet = platform::monotonicMilliseconds() - adapter_.lastEditTime();
    if (effect != nullptr && effect->mouseFlags == 0 && quiet >= kQuietMilliseconds) adapter_.endGestures();
}

void CVst3View::size(v3_view_rect& rect) const {
    int32_t width = 0, height = 0;
    adapter_.editorSize(width, height);
    rect.left = 0;
    rect.top = 0;
    rect.right = width;
    rect.bottom = height;
}
