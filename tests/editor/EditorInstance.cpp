#include "EditorInstance.h"

#include "plugin/bridge/EffectBridge.h"
#include "plugin/vst/PluginFactory.h"
#include "tests/support/PollUntil.h"

namespace editortest {

namespace {

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

void EditorInstance::idleEvery(testsupport::ManualClock& clock, long long stepMs, int times) {
    for (int i = 0; i < times; ++i) {
        clock.advance(stepMs);
        idle();
    }
}

bool EditorInstance::idleUntil(const std::function<bool()>& condition) {
    return testsupport::pollUntil(condition, [this] { idle(); });
}

}  // namespace editortest
