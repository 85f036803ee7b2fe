// The bridge table of one adapter as typed calls. Each call skips an entry the table leaves null and
// then answers 0, false or nothing, so that no adapter, panel window or view tests an entry itself.
// Header only: the panel window and the view use it without linking the bridge. Every call runs on
// the thread its entry is made for (plugin/boundary/LumoBridge.h, docs/ARCHITECTURE.md).
#pragma once

#include <cstdint>

#include "plugin/boundary/HostAdapter.h"
#include "plugin/boundary/NullSafeCall.h"

class BridgeCalls {
  public:
    explicit BridgeCalls(CHostAdapter& adapter) : adapter_(adapter) {}

    void init() const { call(table().init); }
    void destroy() const { call(table().destroy); }
    void open() const { call(table().open); }
    void suspend() const { call(table().suspend); }
    void resume() const { call(table().resume); }
    void close() const { call(table().close); }

    // The panel: the timed refresh, a paint and the pointer and keys, in view pixels and the
    // toolkit's button state.
    void editorIdle() const { call(table().editorIdle); }
    void draw(double width, double height) const { call(table().draw, width, height); }
    void mouseDown(double x, double y, int32_t buttons) const { call(table().mouseDown, x, y, buttons); }
    void mouseUp(double x, double y, int32_t buttons) const { call(table().mouseUp, x, y, buttons); }
    void mouseMove(double x, double y, int32_t buttons) const { call(table().mouseMove, x, y, buttons); }
    void keyDown(int32_t character, int32_t modifiers, int32_t virtualKey) const {
        call(table().keyDown, character, modifiers, virtualKey);
    }
    void keyUp(int32_t character, int32_t modifiers, int32_t virtualKey) const {
        call(table().keyUp, character, modifiers, virtualKey);
    }

    // Names and texts; the entries judge the buffers they are given.
    int32_t vendorVersion() const { return call(table().getVendorVersion); }
    bool vendorString(char* text) const { return call(table().getVendorString, text); }
    bool productString(char* text) const { return call(table().getProductString, text); }
    bool effectName(char* text) const { return call(table().getEffectName, text); }
    void programName(char* text) const { call(table().getProgramName, text); }
    void setProgramName(const char* text) const { call(table().setProgramName, text); }
    bool programNameIndexed(int32_t category, int32_t index, char* text) const {
        return call(table().getProgramNameIndexed, category, index, text);
    }

    // Parameters by host index, with normalised values.
    float parameter(int32_t index) const { return call(table().getParameter, index); }
    void setParameter(int32_t index, float value) const { call(table().setParameter, index, value); }
    void parameterName(int32_t index, char* text) const { call(table().getParameterName, index, text); }
    void parameterLabel(int32_t index, char* text) const { call(table().getParameterLabel, index, text); }
    void parameterDisplay(int32_t index, char* text) const { call(table().getParameterDisplay, index, text); }

    void process(float** inputs, float** outputs, int32_t frames) const {
        call(table().processReplacing, inputs, outputs, frames);
    }
    void process(double** inputs, double** outputs, int32_t frames) const {
        call(table().processDoubleReplacing, inputs, outputs, frames);
    }

    // The state chunk.
    int32_t getChunk(void** data, bool isPreset) const { return call(table().getChunk, data, isPreset); }
    int32_t setChunk(void* data, int32_t byteCount, bool isPreset) const {
        return call(table().setChunk, data, byteCount, isPreset);
    }

  private:
    const LumoBridge& table() const { return adapter_.bridge; }

    template <typename Result, typename... Parameters, typename... Arguments>
    Result call(Result (*entry)(CHostAdapter*, Parameters...), Arguments... arguments) const {
        return callBridge(entry, &adapter_, arguments...);
    }

    CHostAdapter& adapter_;
};
