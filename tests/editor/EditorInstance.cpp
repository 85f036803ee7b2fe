#include "EditorInstance.h"

#include <thread>

#include "plugin/bridge/EffectBridge.h"
#include "plugin/vst/PluginFactory.h"

namespace editortest {

namespace {

constexpr std::chrono::milliseconds kIdlePeriod(16);

LumoBridge& realBridge() {
    static LumoBridge bridge = makeEffectBridge();
    return bridge;
}

double flagsOf(CHostAdapter* adapter) {
    return static_cast<ProbeEffect*>(adapter->effect)->mouseFlags;
}

void recordDown(CHostAdapter* adapter, double x, double y, int32_t buttons) {
    realBridge().mouseDown(adapter, x, y, buttons);
    EditorInstance::calls().push_back({MouseCall::kDown, x, y, buttons, flagsOf(adapter)});
}

void recordUp(CHostAdapter* adapter, double x, double y, int32_t buttons) {
    realBridge().mouseUp(adapter, x, y, buttons);
    EditorInstance::calls().push_back({MouseCall::kUp, x, y, buttons, flagsOf(adapter)});
}

void recordMove(CHostAdapter* adapter, double x, double y, int32_t buttons) {
    realBridge().mouseMove(adapter, x, y, buttons);
    EditorInstance::calls().push_back({MouseCall::kMove, x, y, buttons, flagsOf(adapter)});
}

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float) {
    EditorInstance::hostRequests().push_back({opcode, index});
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

void ProbeEffect::DoGfx() {
    ++paints;
    if (!adapter || !adapter->currentContext) ++paintsWithoutContext;
}

std::vector<MouseCall>& EditorInstance::calls() {
    static std::vector<MouseCall> recorded;
    return recorded;
}

std::vector<EditorInstance::HostRequest>& EditorInstance::hostRequests() {
    static std::vector<HostRequest> requests;
    return requests;
}

int EditorInstance::countHostRequests(int32_t opcode) {
    int count = 0;
    for (const HostRequest& request : hostRequests())
        if (request.opcode == opcode) ++count;
    return count;
}

EditorInstance::EditorInstance() : probe_(new ProbeEffect) {
    LumoBridge bridge = realBridge();
    bridge.mouseDown = recordDown;
    bridge.mouseUp = recordUp;
    bridge.mouseMove = recordMove;
    adapter_ = CLumo::create(probe_, bridge, hostCallback, 1, 0, makeLumoEditor);
    probe_->adapter = adapter_;
    aeffect_ = adapter_ ? adapter_->getAeffect() : nullptr;
    calls().clear();
}

EditorInstance::~EditorInstance() {
    if (!aeffect_) {
        delete probe_;
        return;
    }
    close();
    dispatch(effClose);
}

intptr_t EditorInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return aeffect_->dispatcher(aeffect_, opcode, index, value, ptr, opt);
}

ERect* EditorInstance::rect() {
    ERect* r = nullptr;
    dispatch(effEditGetRect, 0, 0, &r);
    return r;
}

bool EditorInstance::open(void* parent) {
    return dispatch(effEditOpen, 0, 0, parent) != 0;
}

void EditorInstance::close() {
    dispatch(effEditClose);
}

void EditorInstance::idle() {
    dispatch(effEditIdle);
}

int EditorInstance::idleFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    int count = 0;
    // Never faster than 60 Hz, even after a late wake-up: idles do not catch up.
    while (std::chrono::steady_clock::now() < end) {
        idle();
        ++count;
        std::this_thread::sleep_for(kIdlePeriod);
    }
    return count;
}

bool EditorInstance::idleUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    return true;
}

}  // namespace editortest
