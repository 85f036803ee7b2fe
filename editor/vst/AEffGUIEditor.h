// Editor base for editors drawn with the toolkit: owns the frame while open, throttles the idle
// that long GUI operations request, and forwards edit brackets to the host.
#pragma once

#include <cstdint>

#include "editor/vstgui/VSTGUIEditorInterface.h"
#include "plugin/sdk/AEffEditor.h"

namespace VSTGUI {
class CFrame;
}  // namespace VSTGUI

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface {
  public:
    explicit AEffGUIEditor(AudioEffect* effect);
    // GUI thread. Does not close an open editor: the host's close request comes first.
    ~AEffGUIEditor() override;

    // GUI thread (all operations below).
    bool getRect(ERect** rect) override;
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance) override;
    bool setKnobMode(int32_t mode) override;

    virtual void setParameter(int32_t /*index*/, float /*value*/) {}
    // Redraws part of the frame at once; without a rectangle, all of it.
    virtual void draw(ERect* rect = nullptr);
    // Idle during a long GUI operation, at most every 100 ms; lets the host idle too.
    virtual void idleWhileBusy();
    int32_t getKnobMode() const override { return knobMode; }
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;

    // The frame's way into idleWhileBusy.
    void doIdleStuff() override { idleWhileBusy(); }
    VSTGUI::CFrame* getFrame() const override { return frame; }

  protected:
    VSTGUI::CFrame* frame = nullptr;
    ERect rect{};
    uint32_t nextIdleTime = 0;
    bool inIdle = false;

    // Shared by every editor of the process; nothing but the knob-mode requests reads it.
    static int32_t knobMode;
};
