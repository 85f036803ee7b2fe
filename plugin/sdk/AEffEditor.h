// Editor base of a VST 2.4 effect: what the host's editor requests reach.
#pragma once

#include "plugin/sdk/aeffect.h"

class AudioEffect;

class AEffEditor {
  public:
    explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect) {}
    // GUI thread, from the effect's destructor.
    virtual ~AEffEditor() = default;

    // GUI thread.
    virtual AudioEffect* getEffect() { return effect; }
    // GUI thread: points rect at the editor's rectangle.
    virtual bool getRect(ERect** rect) {
        if (rect != nullptr) *rect = nullptr;
        return false;
    }
    // GUI thread: opens the editor inside the host's window.
    virtual bool open(void* ptr) {
        systemWindow = ptr;
        return false;
    }
    // GUI thread.
    virtual void close() { systemWindow = nullptr; }
    // GUI thread.
    virtual bool isOpen() { return systemWindow != nullptr; }
    // GUI thread: the host's periodic editor idle.
    virtual void idle() {}
    // GUI thread.
    virtual bool onKeyDown(VstKeyCode&) { return false; }
    // GUI thread.
    virtual bool onKeyUp(VstKeyCode&) { return false; }
    // GUI thread.
    virtual bool onWheel(float) { return false; }
    // GUI thread.
    virtual bool setKnobMode(int32_t) { return false; }

  protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};
