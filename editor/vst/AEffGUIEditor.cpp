#include "editor/vst/AEffGUIEditor.h"

#include <algorithm>

#include "editor/EditorPlatform.h"
#include "editor/vstgui/CDrawContext.h"
#include "editor/vstgui/CFrame.h"
#include "plugin/sdk/AudioEffect.h"

using VSTGUI::CButtonState;
using VSTGUI::CDrawContext;
using VSTGUI::CPoint;
using VSTGUI::CRect;

int32_t AEffGUIEditor::knobMode = 0;

namespace {
// Below this many milliseconds before the next due time a busy idle only sleeps.
constexpr uint32_t kBusyIdleEarlyMs = 50;
constexpr uint32_t kBusyIdlePeriodMs = 100;
constexpr uint32_t kBusyIdleSleepMs = 4;

bool isBefore(uint32_t tick, uint32_t other) {
    return static_cast<int32_t>(tick - other) < 0;
}
}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {
    nextIdleTime = editorplatform::tickCount();
    editorplatform::initializeComponentServices();
}

AEffGUIEditor::~AEffGUIEditor() {
    editorplatform::releaseComponentServices();
}

bool AEffGUIEditor::getRect(ERect** out) {
    if (out == nullptr) return false;
    *out = &rect;
    return true;
}

void AEffGUIEditor::idle() {
    if (inIdle || frame == nullptr) return;
    editorplatform::handleWindowEvents(frame);
    frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
    return frame != nullptr && frame->onKeyDown(keyCode) > 0;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) {
    return frame != nullptr && frame->onKeyUp(keyCode) > 0;
}

bool AEffGUIEditor::onWheel(float distance) {
    if (frame == nullptr) return false;
    CPoint where;
    CButtonState buttons = 0;
    if (CDrawContext* context = frame->createDrawContext()) {
        context->getMouseLocation(where);
        buttons = context->getMouseButtons();
        context->forget();
    } else {
        frame->getCurrentMouseLocation(where);
        buttons = frame->getCurrentMouseButtons();
    }
    return frame->onWheel(where, distance, buttons);
}

bool AEffGUIEditor::setKnobMode(int32_t mode) {
    knobMode = mode;
    return true;
}

void AEffGUIEditor::draw(ERect* area) {
    if (frame == nullptr) return;
    CRect update = frame->getViewSize();
    if (area != nullptr) {
        update = CRect(std::min(area->left, area->right), std::min(area->top, area->bottom),
                       std::max(area->left, area->right), std::max(area->top, area->bottom));
    }
    CDrawContext* context = frame->createDrawContext();
    if (context == nullptr) return;
    frame->drawRect(context, update);
    context->forget();
}

void AEffGUIEditor::idleWhileBusy() {
    uint32_t now = editorplatform::tickCount();
    // Differences rather than plain comparisons keep the throttle working across the tick wrap.
    if (isBefore(now, nextIdleTime)) {
        editorplatform::sleepMilliseconds(kBusyIdleSleepMs);
        now += kBusyIdleSleepMs;
        if (isBefore(now, nextIdleTime - kBusyIdleEarlyMs)) return;
    }
    idle();
    editorplatform::dispatchOnePendingPaint();
    nextIdleTime = now + kBusyIdlePeriodMs;
    inIdle = true;
    if (effect != nullptr) effect->callHost(audioMasterIdle);
    inIdle = false;
}

void AEffGUIEditor::beginEdit(int32_t index) {
    if (effect != nullptr) effect->callHost(audioMasterBeginEdit, index);
}

void AEffGUIEditor::endEdit(int32_t index) {
    if (effect != nullptr) effect->callHost(audioMasterEndEdit, index);
}
