#include "tools/render/HostContext.h"

#include <cstring>

namespace render {

namespace {

// Only set while an entry point runs; the renderer creates instances on one thread.
HostContext* pendingContext = nullptr;

void copyText(void* destination, const char* text, size_t capacity) {
    if (!destination) return;
    std::strncpy(static_cast<char*>(destination), text, capacity - 1);
    static_cast<char*>(destination)[capacity - 1] = '\0';
}

// The host-side can-do texts this renderer honours.
bool hostCanDo(const char* text) {
    if (!text) return false;
    for (const char* known : {"sendVstTimeInfo", "supplyIdle", "offline", "startStopProcess"})
        if (std::strcmp(text, known) == 0) return true;
    return false;
}

constexpr intptr_t kProcessLevelOffline = 4;

}  // namespace

void HostContext::setSampleRate(double rate) {
    sampleRate_ = rate;
    transport_.setSampleRate(rate);
}

void HostContext::setPending(HostContext* context) {
    pendingContext = context;
}

void HostContext::attach(AEffect* effect, HostContext* context) {
    effect->user = context;
}

intptr_t VSTCALLBACK HostContext::callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                           void* ptr, float opt) {
    HostContext* context = effect && effect->user ? static_cast<HostContext*>(effect->user) : pendingContext;
    if (opcode == audioMasterVersion) return kHostVersion;
    if (!context) return 0;
    return context->answer(opcode, index, value, ptr, opt);
}

intptr_t HostContext::answer(int32_t opcode, int32_t, intptr_t, void* ptr, float) {
    switch (opcode) {
        case audioMasterAutomate:
            ++automationNotices_;
            return 0;
        case audioMasterGetTime:
            return reinterpret_cast<intptr_t>(transport_.timeInfo());
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(sampleRate_);
        case audioMasterGetBlockSize:
            return blockSize_;
        case audioMasterGetCurrentProcessLevel:
            return kProcessLevelOffline;
        case audioMasterGetVendorString:
            copyText(ptr, "Orbitone", 64);
            return 1;
        case audioMasterGetProductString:
            copyText(ptr, "orbitone-render", 64);
            return 1;
        case audioMasterGetVendorVersion:
            return 1;
        case audioMasterCanDo:
            return hostCanDo(static_cast<const char*>(ptr)) ? 1 : 0;
        case audioMasterWantMidi:
        case audioMasterUpdateDisplay:
        case audioMasterIOChanged:
            return 1;
        default:
            return 0;
    }
}

}  // namespace render
