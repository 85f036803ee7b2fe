// The effect side of the bridge table: each entry finds the effect through the adapter.
#include "plugin/bridge/EffectBridge.h"
#include "plugin/boundary/EditorFunctions.h"
#include "plugin/boundary/HostAdapter.h"
#include "plugin/boundary/ReverseFunctions.h"
#include "plugin/bridge/ParameterMapping.h"
#include "plugin/bridge/ProcessingBridge.h"
#include "plugin/bridge/TextCopy.h"
#include "runtime/Quill.h"

namespace {

TQuill* effectOf(CHostAdapter* adapter) {
    return adapter != nullptr ? adapter->effect : nullptr;
}

void init(CHostAdapter* adapter) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return;
    adapterSetNumInputs(adapter, effect->channelCount);
    adapterSetNumOutputs(adapter, effect->channelCount);
    adapterSetUniqueId(adapter, effect->uniqueId);
    editorCreate(adapter, effect->editorWidth, effect->editorHeight);
    adapterProgramsAreChunks(adapter, true);
}

void destroy(CHostAdapter* adapter) {
    if (adapter == nullptr) return;
    delete adapter->effect;
    adapter->effect = nullptr;
}

void open(CHostAdapter* adapter) {
    if (TQuill* effect = effectOf(adapter)) effect->DoOpen();
}

void suspend(CHostAdapter* adapter) {
    if (TQuill* effect = effectOf(adapter)) effect->DoSuspend();
}

void resume(CHostAdapter* adapter) {
    if (TQuill* effect = effectOf(adapter)) effect->DoResume();
}

void editorIdle(CHostAdapter* adapter) {
    if (TQuill* effect = effectOf(adapter)) effect->DoGfxTimer();
}

void close(CHostAdapter* adapter) {
    if (TQuill* effect = effectOf(adapter)) effect->DoClose();
}

void draw(CHostAdapter* adapter, double, double) {
    if (TQuill* effect = effectOf(adapter)) effect->DoGfx();
}

// Any mouse event keeps the panel refreshing at least 30 times a second (a NaN rate stays).
void raiseRefreshRate(TQuill& effect) {
    if (effect.gfxRate < 30) effect.gfxRate = 30;
}

// The toolkit's button state as the effect's mouse flags.
double mouseFlagsFromButtons(int32_t buttons) {
    int32_t flags = 0;
    if (buttons & 2) flags |= 1;
    if (buttons & 8) flags |= 2;
    if (buttons & 32) flags |= 4;
    if (buttons & 16) flags |= 8;
    if (buttons & 64) flags |= 16;
    if (buttons & 4) flags |= 64;
    return flags;
}

void mouseDown(CHostAdapter* adapter, double x, double y, int32_t buttons) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return;
    effect->mouseX = x;
    effect->mouseY = y;
    effect->mouseFlags = mouseFlagsFromButtons(buttons);
    raiseRefreshRate(*effect);
}

void mouseUp(CHostAdapter* adapter, double x, double y, int32_t) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return;
    effect->mouseFlags = 0;
    effect->mouseX = x;
    effect->mouseY = y;
    raiseRefreshRate(*effect);
}

void mouseMove(CHostAdapter* adapter, double x, double y, int32_t) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return;
    effect->mouseX = x;
    effect->mouseY = y;
    raiseRefreshRate(*effect);
}

int32_t getVendorVersion(CHostAdapter* adapter) {
    TQuill* effect = effectOf(adapter);
    return effect != nullptr ? effect->vendorVersion : 0;
}

bool getVendorString(CHostAdapter* adapter, char* text) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return false;
    copyText(text, effect->vendorString, kVendorTextSize);
    return true;
}

bool getProductString(CHostAdapter* adapter, char* text) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return false;
    copyText(text, effect->productString, kVendorTextSize);
    return true;
}

bool getEffectName(CHostAdapter* adapter, char* text) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr) return false;
    copyText(text, effect->effectName, kEffectNameSize);
    return true;
}

void getProgramName(CHostAdapter* adapter, char* text) {
    if (TQuill* effect = effectOf(adapter)) copyText(text, effect->programName, kProgramNameSize);
}

void setProgramName(CHostAdapter* adapter, const char* text) {
    TQuill* effect = effectOf(adapter);
    if (effect == nullptr || text == nullptr) return;
    // A host string without a terminator inside the program-name size is cut there.
    size_t length = 0;
    while (length < kProgramNameSize - 1 && text[length] != 0) ++length;
    effect->programName.assign(text, length);
}

bool getProgramNameIndexed(CHostAdapter*, int32_t, int32_t, char*) {
    return false;
}

float getParameter(CHostAdapter* adapter, int32_t index) {
    TQuill* effect = effectOf(adapter);
    return effect != nullptr ? parameterValue(*effect, index) : 0.0f;
}

void setParameter(CHostAdapter* adapter, int32_t index, float value) {
    if (TQuill* effect = effectOf(adapter)) setParameterValue(*effect, index, value);
}

void getParameterName(CHostAdapter* adapter, int32_t index, char* text) {
    if (TQuill* effect = effectOf(adapter)) copyText(text, parameterName(*effect, index), kParameterTextSize);
}

void getParameterLabel(CHostAdapter* adapter, int32_t index, char* text) {
    if (TQuill* effect = effectOf(adapter))
        copyText(text, parameterLabel(*effect, index), kParameterTextSize);
}

void getParameterDisplay(CHostAdapter* adapter, int32_t index, char* text) {
    if (TQuill* effect = effectOf(adapter)) {
        copyText(text, parameterDisplay(*effect, index), kParameterTextSize);
    }
}

int32_t getChunk(CHostAdapter* adapter, void** data, bool isPreset) {
    TQuill* effect = effectOf(adapter);
    return effect != nullptr ? effect->DoGetChunk(data, isPreset) : 0;
}

int32_t setChunk(CHostAdapter* adapter, void* data, int32_t byteCount, bool isPreset) {
    TQuill* effect = effectOf(adapter);
    return effect != nullptr ? effect->DoSetChunk(data, byteCount, isPreset) : 0;
}

}  // namespace

LumoBridge makeEffectBridge() {
    LumoBridge bridge{};
    bridge.init = init;
    bridge.destroy = destroy;
    bridge.open = open;
    bridge.suspend = suspend;
    bridge.resume = resume;
    bridge.editorIdle = editorIdle;
    bridge.close = close;
    bridge.draw = draw;
    bridge.mouseDown = mouseDown;
    bridge.mouseUp = mouseUp;
    bridge.mouseMove = mouseMove;
    bridge.keyDown = nullptr;
    bridge.keyUp = nullptr;
    bridge.getVendorVersion = getVendorVersion;
    bridge.getVendorString = getVendorString;
    bridge.getProductString = getProductString;
    bridge.getEffectName = getEffectName;
    bridge.getProgramName = getProgramName;
    bridge.setProgramName = setProgramName;
    bridge.getProgramNameIndexed = getProgramNameIndexed;
    bridge.getParameter = getParameter;
    bridge.setParameter = setParameter;
    bridge.getParameterName = getParameterName;
    bridge.getParameterLabel = getParameterLabel;
    bridge.getParameterDisplay = getParameterDisplay;
    bridge.processReplacing = processReplacingEntry;
    bridge.processDoubleReplacing = processDoubleReplacingEntry;
    bridge.getChunk = getChunk;
    bridge.setChunk = setChunk;
    return bridge;
}
