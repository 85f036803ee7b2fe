// What the toolkit asks of the editor that owns a frame; the editor class implements it.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CFrame;

class VSTGUIEditorInterface {
  public:
    virtual ~VSTGUIEditorInterface() = default;
    // GUI thread. Lets the host breathe during a long operation.
    virtual void doIdleStuff() {}
    // GUI thread. Second entry, forwarded by the frame; no caller in this program.
    virtual int32_t getKnobMode() const { return 0; }
    // GUI thread. Parameter edit brackets forwarded by the frame.
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    // GUI thread.
    virtual CFrame* getFrame() const { return nullptr; }
};

}  // namespace VSTGUI
